// Widths of texts drawn over pictures, remembered across documents and paint
// handles: the same labels come back with every picture opened or repainted,
// and shaping a text costs more than drawing or placing it. Header only; its
// users link Qt Gui.
#pragma once

#include <QFontMetrics>
#include <QHash>
#include <QString>

#include <mutex>

namespace vy {

class TextWidths {
public:
    // metrics.horizontalAdvance(text), where metrics are those of the font
    // whose QFont::key() is font_key. The widths of the last font asked for
    // are kept (at most kMaxRemembered texts: temperatures change the texts).
    int width(const QString& font_key, const QFontMetrics& metrics, const QString& text)
    {
        {
            std::lock_guard<std::mutex> guard(mutex_);
            if (font_key != font_) {
                font_ = font_key;
                widths_.clear();
            }
            const auto found = widths_.constFind(text);
            if (found != widths_.constEnd()) {
                return found.value();
            }
        }
        const int measured = metrics.horizontalAdvance(text);  // outside the lock
        std::lock_guard<std::mutex> guard(mutex_);
        if (font_key == font_) {
            if (widths_.size() >= kMaxRemembered) {
                widths_.clear();
            }
            widths_.insert(text, measured);
        }
        return measured;
    }

    // The one table of the library that includes this header; never
    // destroyed, as objects released by exit handlers still measure.
    static TextWidths& shared()
    {
        static TextWidths* widths = new TextWidths;
        return *widths;
    }

private:
    static constexpr int kMaxRemembered = 4096;
    std::mutex mutex_;
    QString font_;
    QHash<QString, int> widths_;
};

}  // namespace vy
