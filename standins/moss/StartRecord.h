// Where the stand-in game tells tests how it was started.
#pragma once

// Appends "<command line>\t<working directory>\r\n" to the file named by MOSS_STANDIN_LOG;
// does nothing when the variable is unset.
void RecordStart();
