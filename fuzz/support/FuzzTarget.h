#pragma once
// One source per reader serves two builds: under libFuzzer the target is the
// fuzzer's entry point; in the test suite it is registered by name so that
// every input kept in tests/fuzz/corpus/<name>/ is replayed.
#include <QByteArrayView>
#include <cstddef>
#include <cstdint>

namespace kvr::fuzz {

using TargetFn = void (*)(QByteArrayView data);

// Registers a target for the corpus replay; returns true so it can initialise a static.
bool RegisterTarget(const char* name, TargetFn fn);
// Reports a broken property (a round trip that differs, a code that decodes to
// another value): aborts under libFuzzer, fails the test in the suite.
[[noreturn]] void Fail(const char* what, const char* file, int line);
// Starts the offscreen GUI application once (fonts and painting need it).
void EnsureApplication();

} // namespace kvr::fuzz

#define KVR_FUZZ_CHECK(cond, what)                                                                     \
    do {                                                                                               \
        if (!(cond))                                                                                   \
            ::kvr::fuzz::Fail(what, __FILE__, __LINE__);                                               \
    } while (false)

#ifdef KVR_FUZZ_ENTRY
#define KVR_FUZZ_TARGET(name)                                                                          \
    static void name##Run(QByteArrayView data);                                                        \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)                           \
    {                                                                                                  \
        ::kvr::fuzz::EnsureApplication();                                                              \
        name##Run(QByteArrayView(reinterpret_cast<const char*>(bytes), qsizetype(size)));              \
        return 0;                                                                                      \
    }                                                                                                  \
    static void name##Run(QByteArrayView data)
#else
#define KVR_FUZZ_TARGET(name)                                                                          \
    static void name##Run(QByteArrayView data);                                                        \
    [[maybe_unused]] static const bool name##Registered = ::kvr::fuzz::RegisterTarget(#name, &name##Run); \
    static void name##Run(QByteArrayView data)
#endif
