import QtQuick 2.15
import VY.WndIRShow 1.0
import VY.WndIRPalette 1.0
import "../common"

// The IR view of a document window with its analysis toolbar: the view is
// sized to the picture times the zoom factor and centred in the area.
Rectangle {
    id: id_area
    objectName: "area_ir_show"
    color: ItemCommonClr.clrClientBackground

    property int nWndType: ItemCommonDef.wndFunctionImage
    property real fZoom: 1.0
    property int nCurAna: 0
    readonly property alias wndIRShow: id_ir_show
    readonly property alias wndPalette: id_palette
    readonly property alias toolbar: id_toolbar
    // 0 hides the palette bar (pictures without temperatures).
    property int nPaletteWidth: 36
    // The palette bar last showed an analysis's own palette.
    property bool bPaletteAna: false
    // The toolbar grows by a row when its buttons wrap.
    readonly property int nToolbarHeight: Math.max(40, id_toolbar.nNeededHeight)
    // Cursor temperature of the hover ("[x,y]t"), empty when not shown.
    property string strMouseTemp: ""
    // Recordings and cameras: a picture smaller than the area shows enlarged
    // in zoom steps until it fills it, as the area's size changes too, until
    // the user zooms by hand.
    property bool bFitSmall: false
    property bool bZoomedByHand: false
    // The size of the picture last opened: another size starts fitted again.
    property size sizeFitted: Qt.size(0, 0)

    signal sig_update_cur_ana(int n_cur_ana)
    signal sig_chart_btn(int n_id, bool b_checked)

    function set_chart_checked(n_id, b_checked) { id_toolbar.set_chart_checked(n_id, b_checked) }
    // Tool buttons the window handles (isotherm, copying, tables).
    signal sig_tool_btn(int n_id, bool b_checked)

    function open_file(str_path) {
        if (!id_ir_show.open_file(str_path)) {
            return false
        }
        nPaletteWidth = id_ir_show.is_show_normal_image() ? 0 : 36
        // Each picture opens without enhancement.
        id_imaging_menu.bBlur = false
        show_source()
        return true
    }
    // After the view's source opened (a file or a camera).
    function show_source() {
        id_palette.update_palette_info()
        id_thumbnail.wndThumbnail.set_ir_data_handle(id_ir_show.get_ir_data_handle())
        var w = id_ir_show.n_pixel_width, h = id_ir_show.n_pixel_height
        if (bFitSmall && (w !== sizeFitted.width || h !== sizeFitted.height)) {
            sizeFitted = Qt.size(w, h)
            bZoomedByHand = false
        }
        if (bFitSmall) refit(); else update_ir_show_size()
    }
    function refit() {
        var w = id_ir_show.n_pixel_width, h = id_ir_show.n_pixel_height
        if (w <= 0 || h <= 0)
            return
        if (!bZoomedByHand)
            fZoom = fit_zoom(w, h)
        update_ir_show_size()
    }
    // The largest zoom step from 1 that shows the whole picture in the area.
    function fit_zoom(w, h) {
        var zoom = 1.0
        for (var step = 1; step <= 15; ++step) {
            var next = 1.0 + 0.2 * step
            if (next * w > id_flick.width - nPaletteWidth || next * h > id_flick.height
                    || next * next * w * h > 18662400)
                break
            zoom = next
        }
        return zoom
    }
    function update_ir_show_size() {
        var w = Math.max(1, Math.floor(id_ir_show.n_pixel_width * fZoom))
        var h = Math.max(1, Math.floor(id_ir_show.n_pixel_height * fZoom))
        id_ir_show.width = w
        id_ir_show.height = h
        id_ir_show.set_paint_wnd_size(w, h)
        id_ir_show.update()
        update_thumbnail()
    }
    // The visible part of the view as fractions, for the overview.
    function update_thumbnail() {
        var w = Math.max(1, id_ir_show.width), h = Math.max(1, id_ir_show.height)
        id_thumbnail.wndThumbnail.do_scale(Math.max(0, id_flick.contentX - id_ir_show.x) / w,
                                           Math.min(1, id_flick.width / w),
                                           Math.max(0, id_flick.contentY - id_ir_show.y) / h,
                                           Math.min(1, id_flick.height / h))
    }
    function choose_palette(n_palette) {
        var n = (n_palette >= 0 && n_palette <= 9) ? n_palette : 0
        if (bPaletteAna) id_ir_show.set_ana_property({"strSettingAnaPalette": n})
        else id_ir_show.set_ir_property({"strSettingPalette": n})
    }
    function zoom_in() {
        var next = Math.min(4.0, fZoom + 0.2)
        if (next * next * id_ir_show.n_pixel_width * id_ir_show.n_pixel_height > 18662400) {
            return
        }
        fZoom = next
        bZoomedByHand = true
        update_ir_show_size()
    }
    function zoom_out() { fZoom = Math.max(0.25, fZoom - 0.2); bZoomedByHand = true; update_ir_show_size() }
    function zoom_restore() { fZoom = 1.0; bZoomedByHand = true; update_ir_show_size() }
    function press_shape(n_id, b_checked) {
        id_toolbar.uncheck_shapes(n_id)
        if (!b_checked) { id_ir_show.add_null(); return }
        switch (n_id) {
        case ItemCommonDef.idBtnAddPoint: id_ir_show.add_point(); break
        case ItemCommonDef.idBtnAddLine: id_ir_show.add_line(); break
        case ItemCommonDef.idBtnAddRect: id_ir_show.add_rect(); break
        case ItemCommonDef.idBtnAddEllipse: id_ir_show.add_ellipse(); break
        case ItemCommonDef.idBtnAddPolygon: id_ir_show.add_poly(); break
        case ItemCommonDef.idBtnAddPolyline: id_ir_show.add_polyline(); break
        }
    }

    ItemListIRToolbar {
        id: id_toolbar
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: id_area.nToolbarHeight
        onSig_press_btn: {
            if (n_id >= ItemCommonDef.idBtnAddPoint && n_id <= ItemCommonDef.idBtnAddPolyline) {
                id_area.press_shape(n_id, b_checked)
            } else if (n_id === ItemCommonDef.idBtnDeleteAna) {
                id_ir_show.delete_ana()
            } else if (n_id === ItemCommonDef.idBtnClearAna) {
                id_ir_show.delete_all_ana()
            } else if (n_id === ItemCommonDef.idBtnShowMouseTemp) {
                id_ir_show.set_ir_property({"strSettingMouseTemp": b_checked})
                if (!b_checked) id_area.strMouseTemp = ""
            } else if (n_id === ItemCommonDef.idBtnShowMaxTemp) {
                id_ir_show.set_ir_property({"strSettingMaxPoint": b_checked})
            } else if (n_id === ItemCommonDef.idBtnShowMinTemp) {
                id_ir_show.set_ir_property({"strSettingMinPoint": b_checked})
            } else if (n_id === ItemCommonDef.idBtnChartLine || n_id === ItemCommonDef.idBtnChartArea) {
                id_area.sig_chart_btn(n_id, b_checked)
            } else if (n_id === ItemCommonDef.idBtnChangePalette) {
                id_palette_menu.popup(id_area.width - 130, id_area.nToolbarHeight)
            } else if (n_id === ItemCommonDef.idBtnImageBlur) {
                id_imaging_menu.nMode = id_ir_show.get_imaging_algorithm_mode()
                var at = id_toolbar.imagingButton.mapToItem(id_area, 0, id_toolbar.imagingButton.height)
                id_imaging_menu.popup(at.x, at.y)
            } else {
                id_area.sig_tool_btn(n_id, b_checked)
            }
        }
    }

    Flickable {
        id: id_flick
        anchors { left: parent.left; right: parent.right; top: id_toolbar.bottom; bottom: parent.bottom }
        clip: true
        contentWidth: Math.max(width, id_ir_show.width + id_area.nPaletteWidth)
        contentHeight: Math.max(height, id_ir_show.height)
        interactive: false

        WndIRShow {
            id: id_ir_show
            objectName: "wnd_ir_show"
            n_wnd_type: id_area.nWndType
            x: Math.max(0, (id_flick.width - width - id_area.nPaletteWidth) / 2)
            y: Math.max(0, (id_flick.height - height) / 2)
            onSig_toolbar_ir_unchecked_ana_btn: id_toolbar.uncheck_shapes(-1)
            onSig_update_cur_ana: { id_area.nCurAna = n_cur_ana; id_area.sig_update_cur_ana(n_cur_ana) }
            onSig_update_rotate: if (id_area.bFitSmall) id_area.refit(); else id_area.update_ir_show_size()
            onSig_update_temp_tooltip: {
                id_mouse_temp.x = Math.min(n_pt_x + 14, id_ir_show.width - id_mouse_temp.width)
                id_mouse_temp.y = Math.max(0, n_pt_y - id_mouse_temp.height - 6)
                id_area.strMouseTemp = str_tooltip
            }
            HoverHandler {
                id: id_hover
                onHoveredChanged: if (!hovered) id_area.strMouseTemp = ""
            }
            // The cursor temperature beside the pointer.
            Rectangle {
                id: id_mouse_temp
                objectName: "mouse_temp_tip"
                visible: id_area.strMouseTemp !== "" && id_hover.hovered
                width: id_mouse_temp_text.implicitWidth + 8
                height: id_mouse_temp_text.implicitHeight + 4
                color: "#C0101822"
                Text {
                    id: id_mouse_temp_text
                    objectName: "text_mouse_temp"
                    anchors.centerIn: parent
                    textFormat: Text.PlainText
                    color: ItemCommonClr.clrTextButton
                    font.pixelSize: 12
                    text: id_area.strMouseTemp
                }
            }
        }
        WndIRPalette {
            id: id_palette
            objectName: "wnd_ir_palette"
            x: id_ir_show.x + id_ir_show.width
            y: id_ir_show.y
            width: id_area.nPaletteWidth
            height: id_ir_show.height
            visible: id_area.nPaletteWidth > 0
            onSig_palette_change_btn: id_area.bPaletteAna = b_ana
        }
        onWidthChanged: if (id_area.bFitSmall) id_area.refit()
        onHeightChanged: if (id_area.bFitSmall) id_area.refit()
        onContentXChanged: id_area.update_thumbnail()
        onContentYChanged: id_area.update_thumbnail()
    }

    // The overview shows while the zoomed picture is larger than the area.
    ItemAreaIRThumbnail {
        id: id_thumbnail
        anchors { right: id_flick.right; top: id_flick.top; margins: 6 }
        visible: id_ir_show.width > id_flick.width || id_ir_show.height > id_flick.height
        fZoom: id_area.fZoom
        onSig_zoom_reset: id_area.zoom_restore()
        Connections {
            target: id_thumbnail.wndThumbnail
            function onSig_wnd_assist_move(f_x, f_y) {
                id_flick.contentX = f_x * id_ir_show.width
                id_flick.contentY = f_y * id_ir_show.height
            }
        }
    }

    // Control with the wheel zooms; the wheel alone is left to the page.
    MouseArea {
        anchors.fill: id_flick
        acceptedButtons: Qt.NoButton
        onWheel: {
            if (wheel.modifiers & Qt.ControlModifier) {
                if (wheel.angleDelta.y > 0) id_area.zoom_in(); else id_area.zoom_out()
                wheel.accepted = true
            } else {
                wheel.accepted = false
            }
        }
    }

    ItemMenuComboPalette {
        id: id_palette_menu
        anchors.fill: parent
        onSig_change_palette: id_area.choose_palette(n_palette)
    }

    ItemMenuImaging {
        id: id_imaging_menu
        anchors.fill: parent
        onSig_set_blur: { if (id_ir_show.set_enable_imaging_blur(b_enable)) bBlur = b_enable }
        onSig_set_mode: { id_ir_show.set_imaging_algorithm_mode(n_mode); nMode = id_ir_show.get_imaging_algorithm_mode() }
    }

    Component.onCompleted: id_ir_show.set_palette_wnd(id_palette)
}
