#include <QCoreApplication>
#include <cstdlib>
#include <iostream>
#include <new>

#include "cli/Commands.h"
#include "cli/LargeBuffers.h"
#include "i18n/Language.h"
#include "rom/FileOps.h"

// Large buffers in huge pages (cli/LargeBuffers.h). Not under AddressSanitizer, which watches
// every block it hands out itself.
#if defined(__SANITIZE_ADDRESS__)
#define DRAVIK_ADDRESS_SANITIZER
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DRAVIK_ADDRESS_SANITIZER
#endif
#endif
#if !defined(DRAVIK_ADDRESS_SANITIZER)
void* operator new(size_t size)
{
    if (size >= dravik::cli::kLargeBuffer)
        if (void* block = dravik::cli::MapLargeBuffer(size))
            return block;
    for (;;) {
        if (void* block = std::malloc(size == 0 ? 1 : size))
            return block;
        const std::new_handler handler = std::get_new_handler();
        if (!handler)
            throw std::bad_alloc();
        handler();
    }
}
void* operator new[](size_t size) { return ::operator new(size); }
void operator delete(void* block) noexcept
{
    if (!dravik::cli::UnmapLargeBuffer(block))
        std::free(block);
}
void operator delete[](void* block) noexcept { ::operator delete(block); }
void operator delete(void* block, size_t) noexcept { ::operator delete(block); }
void operator delete[](void* block, size_t) noexcept { ::operator delete(block); }
#endif

int main(int argc, char** argv)
{
    dravik::rom::IgnoreFileSizeSignal();
    QCoreApplication app(argc, argv);
    namespace i18n = dravik::i18n;
    i18n::InstallLanguage(
        app, i18n::ChooseLanguage(i18n::LanguageOption(app.arguments()), QString(), i18n::MessagesLocale()));
    dravik::cli::Args args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return dravik::cli::RunCli(args, std::cout, std::cerr);
}
