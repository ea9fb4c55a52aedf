// An opt-in for tools that check an input with the program's own reading.
#pragma once

// Ends the process with status 0, having printed nothing more, when the
// environment variable GENETIC_SEARCH_STOP_AFTER_READING is set to a value
// that is not empty; otherwise returns and changes nothing. The entry calls it
// once its input is read, before the limits of the values are checked.
void stop_after_reading();
