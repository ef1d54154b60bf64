import QtQuick 2.15
import "../common"

// The row under a picture holding the line-profile chart and the histogram.
// Below 1200 pixels only one of them fits: showing one hides the other.
Item {
    id: id_row
    objectName: "chart_row"
    property var wndIRShow: null
    property var colorDialog: null
    property bool bLine: false
    property bool bArea: false
    readonly property alias chartLine: id_line.chart
    readonly property alias chartArea: id_area.chart

    signal sig_hidden(bool b_line)
    signal sig_show_tooltip(string str_tooltip, int n_x, int n_y)

    visible: bLine || bArea

    // Binds both charts to the view; the view hands them to its source.
    function bind_view() { id_line.bind_view(); id_area.bind_view() }
    function show_chart(b_line, b_show) {
        if (b_line) bLine = b_show; else bArea = b_show
        if (b_show) fit(b_line)
    }
    // Keeps the chart just asked for when both do not fit.
    function fit(b_keep_line) {
        if (bLine && bArea && width < 1200) {
            if (b_keep_line) { bArea = false; sig_hidden(false) } else { bLine = false; sig_hidden(true) }
        }
    }
    onWidthChanged: fit(true)

    Row {
        anchors.fill: parent
        ItemAreaChartLine {
            id: id_line
            width: id_row.bArea ? id_row.width / 2 : id_row.width
            height: id_row.height
            visible: id_row.bLine
            wndIRShow: id_row.wndIRShow
            colorDialog: id_row.colorDialog
            onSig_show_tooltip: id_row.sig_show_tooltip(str_tooltip, n_x, n_y)
        }
        ItemAreaChartArea {
            id: id_area
            width: id_row.bLine ? id_row.width / 2 : id_row.width
            height: id_row.height
            visible: id_row.bArea
            wndIRShow: id_row.wndIRShow
            onSig_show_tooltip: id_row.sig_show_tooltip(str_tooltip, n_x, n_y)
        }
    }
}
