// TRegistryBase: the operations built on the typed ones.
#include "TRegistryBase.h"

#include <cstdlib>

void* TRegistryBase::QueryBinaryAlloc(const char* name, DWORD& size) {
    size = 0;
    if (!QueryBinary(name, nullptr, size))
        return nullptr;
    void* block = std::malloc(size);
    if (!block)
        return nullptr;
    if (!QueryBinary(name, block, size)) {
        std::free(block);
        return nullptr;
    }
    return block;
}
