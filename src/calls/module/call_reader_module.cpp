// The entry of the call reader's module: the program finds this by name once it has loaded it.
#include "calls/call_reader_functions.h"

extern "C" __attribute__((visibility("default"))) const korvane::CallReaderFunctions*
KorvaneCallReaderFunctions()
{
    static const korvane::CallReaderFunctions functions{&korvane::ReadCallInfoWithTagLib,
                                                        &korvane::ReadCallInfoFromBytesWithTagLib};
    return &functions;
}
