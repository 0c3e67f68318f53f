// Lets tests see how a stand-in was started: each start appends one line to the file named by
// the environment variable MOSS_STANDIN_LOG (nothing is written when it is unset):
//     <file name of the program> TAB <current folder> TAB <command line> LF
#pragma once

void RecordStandInStart();
