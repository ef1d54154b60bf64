// Report layout files: any bytes are read, refused or loaded, without
// crashing, and a loaded layout can be written again.
#include "report_fuzz_app.h"
#include "reports/report_data.h"

#include <QBuffer>
#include <QLoggingCategory>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    report_fuzz_app();
    QLoggingCategory::setFilterRules("*.debug=false\n*.warning=false");
    ReportData layout(nullptr);
    layout.set_page_size(600, 800);
    layout.clear_all();
    layout.add_page();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    if (layout.open_layout_bytes(bytes)) {
        layout.refresh_all_marks();
        layout.select_in_rect(QRect(0, 0, 600, 800));
    }
    return 0;
}
