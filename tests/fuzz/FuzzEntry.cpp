// libFuzzer's entry point for one target, chosen when it is compiled.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return quenloft::fuzz::QUENLOFT_FUZZ_TARGET(data, size);
}
