#pragma once
// What every harness shares: a device of its own in a temporary host folder (made on the first input,
// removed when the run ends), message boxes that go nowhere, device files made of the input bytes, and the
// check that stops a run with a finding.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fuzz {

// Makes the device root (once; its \Storage Card is a folder inside it, never the working folder) and
// sends message boxes nowhere. Call at the start of every input.
void prepare_device();

// Replaces the device file at path with the bytes; removes it when bytes is null.
void write_device_file(const std::u16string& path, const uint8_t* bytes, size_t size);

// The whole device file, empty when it is missing.
std::string read_device_file(const std::u16string& path);

// Latin-1 widening: each byte becomes the character of that code.
std::u16string widen(std::string_view bytes);

// Prints where and what, then aborts, which the fuzzer reports as a crash with the input that caused it.
[[noreturn]] void fail(const char* file, int line, const char* condition);

}  // namespace fuzz

#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            ::fuzz::fail(__FILE__, __LINE__, #condition);                                                              \
    } while (0)
