// libFuzzer's entry point for one target, chosen when the fuzzer is built.
#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return kestrova::fuzz::KESTROVA_FUZZ_TARGET(data, size);
}
