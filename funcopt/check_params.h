// The limits within which the function optimisers can run.
#pragma once

// Ends the process with a message when the parameters read (M still a
// percentage) and the derived N do not allow a sound run.
void check_params();
