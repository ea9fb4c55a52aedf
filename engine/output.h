// Standard output that cannot be written is a failure, never a success.
#pragma once

// Flushes standard output; ends the process with a message when it cannot be
// written.
void flush_output();
