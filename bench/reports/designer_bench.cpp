// The designer item painting a page of 200 components after every hover
// move, beside painting the same page with nothing on it.
#include "reports/report_com_mark.h"
#include "reports/report_com_table.h"
#include "reports/report_com_text.h"
#include "reports/wnd_report_client.h"

#include <QHoverEvent>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

constexpr int kComponents = 200;
const QSize kItemSize(900, 1000);

class BenchClient : public WndReportClient {
public:
    explicit BenchClient(int components)
    {
        ReportData* data = document();
        data->set_page_size(800, 1100);
        data->clear_all();
        data->add_page();
        for (int i = 0; i < components; ++i) {
            const int x = 10 + (i % 10) * 78, y = 10 + (i / 10) * 52;
            switch (i % 3) {
            case 0:
                static_cast<ReportComText*>(data->add_com(0, ReportComBase::kTypeText, x, y, 70, 44))
                    ->set_text(QString("Text %1").arg(i));
                break;
            case 1:
                static_cast<ReportComMark*>(data->add_com(0, ReportComBase::kTypeMark, x, y, 70, 20))
                    ->set_plain_text(QString("Mark %1").arg(i));
                break;
            default: static_cast<ReportComTable*>(data->add_com(0, ReportComBase::kTypeTable, x, y, 70, 44)); break;
            }
        }
        setSize(kItemSize);
    }
    void hover(const QPoint& point)
    {
        QHoverEvent event(QEvent::HoverMove, point, m_last);
        hoverMoveEvent(&event);
        m_last = point;
    }

private:
    QPoint m_last;
};

void paint_on_moves(benchmark::State& state, int components)
{
    BenchClient client(components);
    QImage target(kItemSize, QImage::Format_ARGB32_Premultiplied);
    int step = 0;
    for (auto _ : state) {
        // The mouse wanders over the components, changing the one under it.
        client.hover(QPoint(60 + (step * 37) % 780, 40 + (step * 53) % 900));
        ++step;
        QPainter painter(&target);
        client.paint(&painter);
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}

void BM_designer_paint_on_move(benchmark::State& state) { paint_on_moves(state, kComponents); }
BENCHMARK(BM_designer_paint_on_move)->Unit(benchmark::kMillisecond);

void BM_baseline_designer_empty_page(benchmark::State& state) { paint_on_moves(state, 0); }
BENCHMARK(BM_baseline_designer_empty_page)->Unit(benchmark::kMillisecond);

}  // namespace
