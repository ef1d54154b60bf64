// The painters need a QGuiApplication for their fonts; the layer tests run
// one offscreen.
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

#if __has_include(<sanitizer/lsan_interface.h>)
#include <sanitizer/lsan_interface.h>
#endif

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
#if __has_include(<sanitizer/lsan_interface.h>)
    // The offscreen platform plugin never frees its screen.
    __lsan_disable();
#endif
    auto app = std::make_unique<QGuiApplication>(argc, argv);
#if __has_include(<sanitizer/lsan_interface.h>)
    __lsan_enable();
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
