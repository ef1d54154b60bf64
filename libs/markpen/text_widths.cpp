#include "text_widths.h"

#include <QHash>

#include <mutex>

namespace markpen::detail {

namespace {

struct Widths {
    std::mutex mutex;
    QString font;
    QHash<QString, int> of_text;
};

// Never destroyed: renderers released by exit handlers still draw.
Widths& widths()
{
    static Widths* shared = new Widths;
    return *shared;
}

}  // namespace

int text_width(const QString& key, const QFontMetrics& metrics, const QString& text)
{
    constexpr int kMaxRemembered = 4096;  // temperatures change the texts
    Widths& w = widths();
    {
        std::lock_guard<std::mutex> guard(w.mutex);
        if (w.font == key) {
            auto found = w.of_text.constFind(text);
            if (found != w.of_text.constEnd()) {
                return found.value();
            }
        }
    }
    const int measured = metrics.horizontalAdvance(text);
    std::lock_guard<std::mutex> guard(w.mutex);
    if (w.font != key || w.of_text.size() >= kMaxRemembered) {
        w.font = key;
        w.of_text.clear();
    }
    w.of_text.insert(text, measured);
    return measured;
}

}  // namespace markpen::detail
