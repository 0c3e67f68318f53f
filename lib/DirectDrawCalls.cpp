// The real functions behind DirectDrawCalls.
#include "DirectDrawCalls.h"

DirectDrawCallTable DirectDrawCalls = {::DirectDrawEnumerateA, ::DirectDrawCreate};
