// Texts and panels need a QGuiApplication; the tests run it offscreen.
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

// The header exists in every build, the functions only under the sanitizers.
#if defined(__SANITIZE_ADDRESS__)
#define MARKPEN_WITH_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MARKPEN_WITH_LSAN 1
#endif
#endif

#if defined(MARKPEN_WITH_LSAN)
#include <sanitizer/lsan_interface.h>
#define MARKPEN_LSAN_DISABLE() __lsan_disable()
#define MARKPEN_LSAN_ENABLE() __lsan_enable()
#else
#define MARKPEN_LSAN_DISABLE()
#define MARKPEN_LSAN_ENABLE()
#endif

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's offscreen platform plugin never frees its screen and cursor; what
    // it allocates while the application starts is not checked for leaks.
    MARKPEN_LSAN_DISABLE();
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    MARKPEN_LSAN_ENABLE();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
