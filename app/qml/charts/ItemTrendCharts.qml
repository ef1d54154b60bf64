import QtQuick 2.15
import "../common"

// The trend charts of a main window: the trend menu of an analysis object,
// the list of trend windows and the pixel range dialog, wired together. A
// document window shows the menu with popup(n_id_ir, n_id_ana, b_pt_ana)
// from its view's sig_show_trend_chart_menu.
Item {
    id: id_trends
    property var messageBox: null
    readonly property alias list: id_list

    function popup(n_id_ir, n_id_ana, b_pt_ana) { id_menu.popup(n_id_ir, n_id_ana, b_pt_ana) }

    ItemListTrendChart {
        id: id_list
        onSig_ask_replace: {
            id_trends.pending = [n_index, h_ir, h_ana, kind]
            if (id_trends.messageBox !== null)
                id_trends.messageBox.show_choose_box_width(id_trends, qsTr("添加此趋势分析将清除之前所有分析，是否继续？"), 320)
        }
        onSig_message: if (id_trends.messageBox !== null) id_trends.messageBox.show_message_box(str_message)
    }
    property var pending: []
    Connections {
        target: id_trends.messageBox
        ignoreUnknownSignals: true
        function onSig_return(result, type, item) {
            if (item !== id_trends || type !== 1 || result !== 1 || id_trends.pending.length !== 4) return
            var p = id_trends.pending
            if (typeof p[3] === "number") id_list.confirm_replace(p[0], p[1], p[2], p[3])
            else id_list.confirm_pixel_replace(p[0], p[1], p[2], p[3])
        }
    }
    ItemCustomMenuTrendChart {
        id: id_menu
        onSig_insert: id_list.insert_trend_chart(n_index, h_ir, h_ana, n_type)
        onSig_remove: id_list.remove_trend_chart(n_index, h_ir, h_ana, n_type)
        onSig_create: id_list.create_trend_chart(h_ir, h_ana, n_type)
        onSig_pixel: id_range.show_wnd(n_index, h_ir, h_ana, id_list.find_wnd(n_index))
    }
    ItemWndPixelRange {
        id: id_range
        onSig_success: {
            var bands = [f_max, f_min, f_ana_max, f_ana_min]
            if (n_index < 0) id_list.create_pixel_trend_chart(h_ir, h_ana, f_max, f_min, f_ana_max, f_ana_min)
            else id_list.insert_pixel_trend_chart(n_index, h_ir, h_ana, bands)
        }
    }
}
