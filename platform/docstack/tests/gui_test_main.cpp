// The painters need a QGuiApplication for their fonts; the layer tests run
// one offscreen.
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

// The header exists in every build, the functions only under the sanitizers.
#if defined(__SANITIZE_ADDRESS__)
#define DOCSTACK_WITH_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DOCSTACK_WITH_LSAN 1
#endif
#endif
#if defined(DOCSTACK_WITH_LSAN)
#include <sanitizer/lsan_interface.h>
#endif

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
#if defined(DOCSTACK_WITH_LSAN)
    // The offscreen platform plugin never frees its screen.
    __lsan_disable();
#endif
    auto app = std::make_unique<QGuiApplication>(argc, argv);
#if defined(DOCSTACK_WITH_LSAN)
    __lsan_enable();
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
