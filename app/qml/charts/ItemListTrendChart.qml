import QtQuick 2.15
import "../common"

// Creates, finds and destroys the trend windows of a main window.
Item {
    id: id_list
    property var arrWnd: []

    signal sig_ask_replace(int n_index, int h_ir, int h_ana, var kind)
    // A signal rather than a property, so that the same text shows every time.
    signal sig_message(string str_message)

    Component { id: id_wnd_component; ItemWndTrendChart {} }

    function find_wnd(n_index) {
        for (var i = 0; i < arrWnd.length; ++i) if (arrWnd[i].mn_trend_index === n_index) return arrWnd[i]
        return null
    }
    function make_wnd(b_pixel) {
        var wnd = id_wnd_component.createObject(null, { "bPixel": b_pixel })
        wnd.sig_close.connect(destroy_trend_wnd)
        wnd.visible = true
        arrWnd.push(wnd)
        return wnd
    }
    // Every window shows the current aliases of h_ir's objects.
    function update_all_trend_ana_name(h_ir) {
        for (var i = 0; i < arrWnd.length; ++i) arrWnd[i].update_setting_ana_name(h_ir)
    }
    function create_trend_chart(h_ir, h_ana, n_type) {
        var wnd = make_wnd(false)
        var ok = wnd.add_ana(h_ir, h_ana, n_type)
        ManagerChartTrend.restart_trend_chart(h_ir)
        return ok ? wnd : null
    }
    function create_pixel_trend_chart(h_ir, h_ana, f_max, f_min, f_ana_max, f_ana_min) {
        var wnd = make_wnd(true)
        var ok = wnd.add_pixel_ana(h_ir, h_ana, f_max, f_min, f_ana_max, f_ana_min)
        ManagerChartTrend.restart_trend_chart(h_ir)
        return ok ? wnd : null
    }
    // 0: added; 2: the chart holds other sources and asks first; 1: refused.
    function insert_trend_chart(n_index, h_ir, h_ana, n_type) {
        var wnd = find_wnd(n_index)
        var state = wnd === null ? 1 : wnd.find_ir_id(h_ir)
        if (state === 0) {
            wnd.add_ana(h_ir, h_ana, n_type)
            ManagerChartTrend.restart_trend_chart(h_ir)
        } else if (state === 2) {
            sig_ask_replace(n_index, h_ir, h_ana, n_type)
        } else {
            sig_message(qsTr("添加失败！"))
        }
        return state
    }
    function confirm_replace(n_index, h_ir, h_ana, n_type) {
        var wnd = find_wnd(n_index)
        if (wnd === null) return
        wnd.add_ana(h_ir, h_ana, n_type)
        ManagerChartTrend.restart_trend_chart(h_ir)
    }
    // The pixel chart's add, with the band as [f_max, f_min, f_ana_max, f_ana_min].
    function insert_pixel_trend_chart(n_index, h_ir, h_ana, bands) {
        var wnd = find_wnd(n_index)
        var state = wnd === null ? 1 : wnd.find_ir_id(h_ir)
        if (state === 0) confirm_pixel_replace(n_index, h_ir, h_ana, bands)
        else if (state === 2) sig_ask_replace(n_index, h_ir, h_ana, bands)
        else sig_message(qsTr("添加失败！"))
        return state
    }
    function confirm_pixel_replace(n_index, h_ir, h_ana, bands) {
        var wnd = find_wnd(n_index)
        if (wnd === null) return
        wnd.add_pixel_ana(h_ir, h_ana, bands[0], bands[1], bands[2], bands[3])
        ManagerChartTrend.restart_trend_chart(h_ir)
    }
    function remove_trend_chart(n_index, h_ir, h_ana, n_type) {
        var wnd = find_wnd(n_index)
        return wnd !== null && wnd.remove_ana(h_ir, h_ana, n_type)
    }
    function destroy_trend_wnd(n_index) {
        for (var i = 0; i < arrWnd.length; ++i) {
            if (arrWnd[i].mn_trend_index === n_index) {
                var wnd = arrWnd[i]
                arrWnd.splice(i, 1)
                wnd.close()
                wnd.destroy()
                return
            }
        }
    }
    function destroy_all_trend_wnd() {
        while (arrWnd.length > 0) destroy_trend_wnd(arrWnd[0].mn_trend_index)
    }
    Component.onDestruction: destroy_all_trend_wnd()
}
