pragma Singleton
import QtQuick 2.15

// Numeric constants shared by the QML: window kinds, start-page ids, file
// dialog purposes, toolbar button ids and their icon paths.
QtObject {
    // Window kinds of the document windows.
    readonly property int wndFunctionImage: 1
    readonly property int wndFunctionPlayer: 2
    readonly property int wndFunctionNetDevice: 3
    readonly property int wndFunctionDetectRule: 4

    // Fixed pages of the client area, by negative page id.
    readonly property int showWndPreviewFile: -1
    readonly property int showWndPreviewCamera: -2
    readonly property int showWndDetectRule: -3
    readonly property int showWndReprotEdit: -4

    // Purposes of the shared file dialog.
    readonly property int fileDialogSaveImage: 0
    readonly property int fileDialogImportReport: 1
    readonly property int fileDialogImportAna: 2
    readonly property int fileDialogExportAna: 3
    readonly property int fileDialogImportIsotherm: 4
    readonly property int fileDialogExportIsotherm: 5
    readonly property int fileDialogWarningSave: 6

    // Toolbar button ids.
    readonly property int idBtnAddPoint: 1000
    readonly property int idBtnAddLine: 1001
    readonly property int idBtnAddRect: 1002
    readonly property int idBtnAddEllipse: 1003
    readonly property int idBtnAddPolygon: 1004
    readonly property int idBtnAddPolyline: 1005
    readonly property int idBtnDeleteAna: 1006
    readonly property int idBtnClearAna: 1007
    readonly property int idBtnImportAna: 1008
    readonly property int idBtnExportAna: 1009
    readonly property int idBtnIsotherm: 1010
    readonly property int idBtnShowMouseTemp: 1011
    readonly property int idBtnShowMaxTemp: 1012
    readonly property int idBtnShowMinTemp: 1013
    readonly property int idBtnChartLine: 1014
    readonly property int idBtnChartArea: 1015
    readonly property int idBtnChartTrend: 1016
    readonly property int idBtnCopyTemp: 1022
    readonly property int idBtnShowTempTable: 1023
    readonly property int idBtnShowTempPreview: 1024
    readonly property int idBtnSnap: 1025
    readonly property int idBtnImageBlur: 1026
    readonly property int idBtnWndZoomRestore: 1031
    readonly property int idBtnWndZoomOut: 1032
    readonly property int idBtnWndZoomIn: 1033
    readonly property int idBtnPicPrevious: 1034
    readonly property int idBtnPicNext: 1035
    readonly property int idBtnSave: 1036
    readonly property int idBtnSaveTo: 1037
    readonly property int idBtnRotateLeft90: 1038
    readonly property int idBtnRotateRight90: 1039
    readonly property int idBtnReport: 1040
    readonly property int idBtnFullsrceen: 1041
    readonly property int idBtnPicDelete: 1042
    readonly property int idBtnPlayerPlay: 1043
    readonly property int idBtnPlayerPause: 1044
    readonly property int idBtnPlayerStop: 1045
    readonly property int idBtnPlayerFirst: 1046
    readonly property int idBtnPlayerPre: 1047
    readonly property int idBtnPlayerNext: 1048
    readonly property int idBtnPlayerLast: 1049
    readonly property int idBtnChangePalette: 1050
    readonly property int idBtnSnapPic: 1051
    readonly property int idBtnBatchAna: 1052
    readonly property int idBtnPlayList: 1100
    readonly property int idBtnPlayListLoop: 1101
    readonly property int idBtnPlaySingle: 1102
    readonly property int idBtnPlaySingleLoop: 1103
    readonly property int idBtnPtzMoveLeftTop: 1200
    readonly property int idBtnPtzMoveTop: 1201
    readonly property int idBtnPtzMoveRightTop: 1202
    readonly property int idBtnPtzMoveLeft: 1203
    readonly property int idBtnPtzMoveRight: 1204
    readonly property int idBtnPtzMoveLeftBottom: 1205
    readonly property int idBtnPtzMoveBottom: 1206
    readonly property int idBtnPtzMoveRightBottom: 1207
    readonly property int idBtnFocusIn: 1210
    readonly property int idBtnFocusOut: 1211
    readonly property int idBtnZoomIn: 1212
    readonly property int idBtnZoomOut: 1213
    readonly property int idBtnCorrectA: 1214
    readonly property int idBtnVideoEdit: 1215
    readonly property int idBtnReportOpenFile: 1300
    readonly property int idBtnReportSave: 1301
    readonly property int idBtnReportSaveTo: 1302
    readonly property int idBtnReportSelect: 1303
    readonly property int idBtnReportAddPic: 1304
    readonly property int idBtnReportAddTable: 1305
    readonly property int idBtnReportAddMark: 1306
    readonly property int idBtnReportAddText: 1307
    readonly property int idBtnTextBold: 1310
    readonly property int idBtnTextItalic: 1311
    readonly property int idBtnTextUnderline: 1312
    readonly property int idBtnTextLeft: 1313
    readonly property int idBtnTextMid: 1314
    readonly property int idBtnTextRight: 1315
    readonly property int idBtnReportAlignLeft: 1320
    readonly property int idBtnReportAlignRight: 1321
    readonly property int idBtnReportAlignTop: 1322
    readonly property int idBtnReportAlignBotoom: 1323
    readonly property int idBtnReportAlignVCenter: 1324
    readonly property int idBtnReportAlignHCenter: 1325
    readonly property int idBtnReportVerDistribution: 1326
    readonly property int idBtnReportHorDistribution: 1327

    // Toolbar icons: the normal, pressed and disabled image of each button,
    // drawn by the toolbar's own change into resources/images/toolbar/.
    readonly property string strBtnPathAddPointNormal: "qrc:/images/toolbar/btn_toolbar_add_point_normal.svg"
    readonly property string strBtnPathAddPointPressed: "qrc:/images/toolbar/btn_toolbar_add_point_pressed.svg"
    readonly property string strBtnPathAddPointDisable: "qrc:/images/toolbar/btn_toolbar_add_point_disable.svg"
    readonly property string strBtnPathAddLineNormal: "qrc:/images/toolbar/btn_toolbar_add_line_normal.svg"
    readonly property string strBtnPathAddLinePressed: "qrc:/images/toolbar/btn_toolbar_add_line_pressed.svg"
    readonly property string strBtnPathAddLineDisable: "qrc:/images/toolbar/btn_toolbar_add_line_disable.svg"
    readonly property string strBtnPathAddRectNormal: "qrc:/images/toolbar/btn_toolbar_add_rect_normal.svg"
    readonly property string strBtnPathAddRectPressed: "qrc:/images/toolbar/btn_toolbar_add_rect_pressed.svg"
    readonly property string strBtnPathAddRectDisable: "qrc:/images/toolbar/btn_toolbar_add_rect_disable.svg"
    readonly property string strBtnPathAddEllipseNormal: "qrc:/images/toolbar/btn_toolbar_add_ellipse_normal.svg"
    readonly property string strBtnPathAddEllipsePressed: "qrc:/images/toolbar/btn_toolbar_add_ellipse_pressed.svg"
    readonly property string strBtnPathAddEllipseDisable: "qrc:/images/toolbar/btn_toolbar_add_ellipse_disable.svg"
    readonly property string strBtnPathAddPolygonNormal: "qrc:/images/toolbar/btn_toolbar_add_polygon_normal.svg"
    readonly property string strBtnPathAddPolygonPressed: "qrc:/images/toolbar/btn_toolbar_add_polygon_pressed.svg"
    readonly property string strBtnPathAddPolygonDisable: "qrc:/images/toolbar/btn_toolbar_add_polygon_disable.svg"
    readonly property string strBtnPathAddPolylineNormal: "qrc:/images/toolbar/btn_toolbar_add_polyline_normal.svg"
    readonly property string strBtnPathAddPolylinePressed: "qrc:/images/toolbar/btn_toolbar_add_polyline_pressed.svg"
    readonly property string strBtnPathAddPolylineDisable: "qrc:/images/toolbar/btn_toolbar_add_polyline_disable.svg"
    readonly property string strBtnPathDeleteAnaNormal: "qrc:/images/toolbar/btn_toolbar_delete_ana_normal.svg"
    readonly property string strBtnPathDeleteAnaPressed: "qrc:/images/toolbar/btn_toolbar_delete_ana_pressed.svg"
    readonly property string strBtnPathDeleteAnaDisable: "qrc:/images/toolbar/btn_toolbar_delete_ana_disable.svg"
    readonly property string strBtnPathClearAnaNormal: "qrc:/images/toolbar/btn_toolbar_clear_ana_normal.svg"
    readonly property string strBtnPathClearAnaPressed: "qrc:/images/toolbar/btn_toolbar_clear_ana_pressed.svg"
    readonly property string strBtnPathClearAnaDisable: "qrc:/images/toolbar/btn_toolbar_clear_ana_disable.svg"
    readonly property string strBtnPathImportAnaNormal: "qrc:/images/toolbar/btn_toolbar_import_ana_normal.svg"
    readonly property string strBtnPathImportAnaPressed: "qrc:/images/toolbar/btn_toolbar_import_ana_pressed.svg"
    readonly property string strBtnPathImportAnaDisable: "qrc:/images/toolbar/btn_toolbar_import_ana_disable.svg"
    readonly property string strBtnPathExportAnaNormal: "qrc:/images/toolbar/btn_toolbar_export_ana_normal.svg"
    readonly property string strBtnPathExportAnaPressed: "qrc:/images/toolbar/btn_toolbar_export_ana_pressed.svg"
    readonly property string strBtnPathExportAnaDisable: "qrc:/images/toolbar/btn_toolbar_export_ana_disable.svg"
    readonly property string strBtnPathIsothermNormal: "qrc:/images/toolbar/btn_toolbar_isotherm_normal.svg"
    readonly property string strBtnPathIsothermPressed: "qrc:/images/toolbar/btn_toolbar_isotherm_pressed.svg"
    readonly property string strBtnPathIsothermDisable: "qrc:/images/toolbar/btn_toolbar_isotherm_disable.svg"
    readonly property string strBtnPathShowMouseTempNormal: "qrc:/images/toolbar/btn_toolbar_show_mouse_temp_normal.svg"
    readonly property string strBtnPathShowMouseTempPressed: "qrc:/images/toolbar/btn_toolbar_show_mouse_temp_pressed.svg"
    readonly property string strBtnPathShowMouseTempDisable: "qrc:/images/toolbar/btn_toolbar_show_mouse_temp_disable.svg"
    readonly property string strBtnPathShowMaxTempNormal: "qrc:/images/toolbar/btn_toolbar_show_max_temp_normal.svg"
    readonly property string strBtnPathShowMaxTempPressed: "qrc:/images/toolbar/btn_toolbar_show_max_temp_pressed.svg"
    readonly property string strBtnPathShowMaxTempDisable: "qrc:/images/toolbar/btn_toolbar_show_max_temp_disable.svg"
    readonly property string strBtnPathShowMinTempNormal: "qrc:/images/toolbar/btn_toolbar_show_min_temp_normal.svg"
    readonly property string strBtnPathShowMinTempPressed: "qrc:/images/toolbar/btn_toolbar_show_min_temp_pressed.svg"
    readonly property string strBtnPathShowMinTempDisable: "qrc:/images/toolbar/btn_toolbar_show_min_temp_disable.svg"
    readonly property string strBtnPathChartLineNormal: "qrc:/images/toolbar/btn_toolbar_chart_line_normal.svg"
    readonly property string strBtnPathChartLinePressed: "qrc:/images/toolbar/btn_toolbar_chart_line_pressed.svg"
    readonly property string strBtnPathChartLineDisable: "qrc:/images/toolbar/btn_toolbar_chart_line_disable.svg"
    readonly property string strBtnPathChartAreaNormal: "qrc:/images/toolbar/btn_toolbar_chart_area_normal.svg"
    readonly property string strBtnPathChartAreaPressed: "qrc:/images/toolbar/btn_toolbar_chart_area_pressed.svg"
    readonly property string strBtnPathChartAreaDisable: "qrc:/images/toolbar/btn_toolbar_chart_area_disable.svg"
    readonly property string strBtnPathChartTrendNormal: "qrc:/images/toolbar/btn_toolbar_chart_trend_normal.svg"
    readonly property string strBtnPathChartTrendPressed: "qrc:/images/toolbar/btn_toolbar_chart_trend_pressed.svg"
    readonly property string strBtnPathChartTrendDisable: "qrc:/images/toolbar/btn_toolbar_chart_trend_disable.svg"
    readonly property string strBtnPathCopyTempNormal: "qrc:/images/toolbar/btn_toolbar_copy_temp_normal.svg"
    readonly property string strBtnPathCopyTempPressed: "qrc:/images/toolbar/btn_toolbar_copy_temp_pressed.svg"
    readonly property string strBtnPathCopyTempDisable: "qrc:/images/toolbar/btn_toolbar_copy_temp_disable.svg"
    readonly property string strBtnPathShowTempTableNormal: "qrc:/images/toolbar/btn_toolbar_show_temp_table_normal.svg"
    readonly property string strBtnPathShowTempTablePressed: "qrc:/images/toolbar/btn_toolbar_show_temp_table_pressed.svg"
    readonly property string strBtnPathShowTempTableDisable: "qrc:/images/toolbar/btn_toolbar_show_temp_table_disable.svg"
    readonly property string strBtnPathShowTempPreviewNormal: "qrc:/images/toolbar/btn_toolbar_show_temp_preview_normal.svg"
    readonly property string strBtnPathShowTempPreviewPressed: "qrc:/images/toolbar/btn_toolbar_show_temp_preview_pressed.svg"
    readonly property string strBtnPathShowTempPreviewDisable: "qrc:/images/toolbar/btn_toolbar_show_temp_preview_disable.svg"
    readonly property string strBtnPathSnapNormal: "qrc:/images/toolbar/btn_toolbar_snap_normal.svg"
    readonly property string strBtnPathSnapPressed: "qrc:/images/toolbar/btn_toolbar_snap_pressed.svg"
    readonly property string strBtnPathSnapDisable: "qrc:/images/toolbar/btn_toolbar_snap_disable.svg"
    readonly property string strBtnPathImageBlurNormal: "qrc:/images/toolbar/btn_toolbar_image_blur_normal.svg"
    readonly property string strBtnPathImageBlurPressed: "qrc:/images/toolbar/btn_toolbar_image_blur_pressed.svg"
    readonly property string strBtnPathImageBlurDisable: "qrc:/images/toolbar/btn_toolbar_image_blur_disable.svg"
    readonly property string strBtnPathWndZoomRestoreNormal: "qrc:/images/toolbar/btn_toolbar_wnd_zoom_restore_normal.svg"
    readonly property string strBtnPathWndZoomRestorePressed: "qrc:/images/toolbar/btn_toolbar_wnd_zoom_restore_pressed.svg"
    readonly property string strBtnPathWndZoomRestoreDisable: "qrc:/images/toolbar/btn_toolbar_wnd_zoom_restore_disable.svg"
    readonly property string strBtnPathWndZoomOutNormal: "qrc:/images/toolbar/btn_toolbar_wnd_zoom_out_normal.svg"
    readonly property string strBtnPathWndZoomOutPressed: "qrc:/images/toolbar/btn_toolbar_wnd_zoom_out_pressed.svg"
    readonly property string strBtnPathWndZoomOutDisable: "qrc:/images/toolbar/btn_toolbar_wnd_zoom_out_disable.svg"
    readonly property string strBtnPathWndZoomInNormal: "qrc:/images/toolbar/btn_toolbar_wnd_zoom_in_normal.svg"
    readonly property string strBtnPathWndZoomInPressed: "qrc:/images/toolbar/btn_toolbar_wnd_zoom_in_pressed.svg"
    readonly property string strBtnPathWndZoomInDisable: "qrc:/images/toolbar/btn_toolbar_wnd_zoom_in_disable.svg"
    readonly property string strBtnPathPicPreviousNormal: "qrc:/images/toolbar/btn_toolbar_pic_previous_normal.svg"
    readonly property string strBtnPathPicPreviousPressed: "qrc:/images/toolbar/btn_toolbar_pic_previous_pressed.svg"
    readonly property string strBtnPathPicPreviousDisable: "qrc:/images/toolbar/btn_toolbar_pic_previous_disable.svg"
    readonly property string strBtnPathPicNextNormal: "qrc:/images/toolbar/btn_toolbar_pic_next_normal.svg"
    readonly property string strBtnPathPicNextPressed: "qrc:/images/toolbar/btn_toolbar_pic_next_pressed.svg"
    readonly property string strBtnPathPicNextDisable: "qrc:/images/toolbar/btn_toolbar_pic_next_disable.svg"
    readonly property string strBtnPathSaveNormal: "qrc:/images/toolbar/btn_toolbar_save_normal.svg"
    readonly property string strBtnPathSavePressed: "qrc:/images/toolbar/btn_toolbar_save_pressed.svg"
    readonly property string strBtnPathSaveDisable: "qrc:/images/toolbar/btn_toolbar_save_disable.svg"
    readonly property string strBtnPathSaveToNormal: "qrc:/images/toolbar/btn_toolbar_save_to_normal.svg"
    readonly property string strBtnPathSaveToPressed: "qrc:/images/toolbar/btn_toolbar_save_to_pressed.svg"
    readonly property string strBtnPathSaveToDisable: "qrc:/images/toolbar/btn_toolbar_save_to_disable.svg"
    readonly property string strBtnPathRotateLeft90Normal: "qrc:/images/toolbar/btn_toolbar_rotate_left_90_normal.svg"
    readonly property string strBtnPathRotateLeft90Pressed: "qrc:/images/toolbar/btn_toolbar_rotate_left_90_pressed.svg"
    readonly property string strBtnPathRotateLeft90Disable: "qrc:/images/toolbar/btn_toolbar_rotate_left_90_disable.svg"
    readonly property string strBtnPathRotateRight90Normal: "qrc:/images/toolbar/btn_toolbar_rotate_right_90_normal.svg"
    readonly property string strBtnPathRotateRight90Pressed: "qrc:/images/toolbar/btn_toolbar_rotate_right_90_pressed.svg"
    readonly property string strBtnPathRotateRight90Disable: "qrc:/images/toolbar/btn_toolbar_rotate_right_90_disable.svg"
    readonly property string strBtnPathReportNormal: "qrc:/images/toolbar/btn_toolbar_report_normal.svg"
    readonly property string strBtnPathReportPressed: "qrc:/images/toolbar/btn_toolbar_report_pressed.svg"
    readonly property string strBtnPathReportDisable: "qrc:/images/toolbar/btn_toolbar_report_disable.svg"
    readonly property string strBtnPathFullsrceenNormal: "qrc:/images/toolbar/btn_toolbar_fullsrceen_normal.svg"
    readonly property string strBtnPathFullsrceenPressed: "qrc:/images/toolbar/btn_toolbar_fullsrceen_pressed.svg"
    readonly property string strBtnPathFullsrceenDisable: "qrc:/images/toolbar/btn_toolbar_fullsrceen_disable.svg"
    readonly property string strBtnPathPicDeleteNormal: "qrc:/images/toolbar/btn_toolbar_pic_delete_normal.svg"
    readonly property string strBtnPathPicDeletePressed: "qrc:/images/toolbar/btn_toolbar_pic_delete_pressed.svg"
    readonly property string strBtnPathPicDeleteDisable: "qrc:/images/toolbar/btn_toolbar_pic_delete_disable.svg"
    readonly property string strBtnPathPlayerPlayNormal: "qrc:/images/toolbar/btn_toolbar_player_play_normal.svg"
    readonly property string strBtnPathPlayerPlayPressed: "qrc:/images/toolbar/btn_toolbar_player_play_pressed.svg"
    readonly property string strBtnPathPlayerPlayDisable: "qrc:/images/toolbar/btn_toolbar_player_play_disable.svg"
    readonly property string strBtnPathPlayerPauseNormal: "qrc:/images/toolbar/btn_toolbar_player_pause_normal.svg"
    readonly property string strBtnPathPlayerPausePressed: "qrc:/images/toolbar/btn_toolbar_player_pause_pressed.svg"
    readonly property string strBtnPathPlayerPauseDisable: "qrc:/images/toolbar/btn_toolbar_player_pause_disable.svg"
    readonly property string strBtnPathPlayerStopNormal: "qrc:/images/toolbar/btn_toolbar_player_stop_normal.svg"
    readonly property string strBtnPathPlayerStopPressed: "qrc:/images/toolbar/btn_toolbar_player_stop_pressed.svg"
    readonly property string strBtnPathPlayerStopDisable: "qrc:/images/toolbar/btn_toolbar_player_stop_disable.svg"
    readonly property string strBtnPathPlayerFirstNormal: "qrc:/images/toolbar/btn_toolbar_player_first_normal.svg"
    readonly property string strBtnPathPlayerFirstPressed: "qrc:/images/toolbar/btn_toolbar_player_first_pressed.svg"
    readonly property string strBtnPathPlayerFirstDisable: "qrc:/images/toolbar/btn_toolbar_player_first_disable.svg"
    readonly property string strBtnPathPlayerPreNormal: "qrc:/images/toolbar/btn_toolbar_player_pre_normal.svg"
    readonly property string strBtnPathPlayerPrePressed: "qrc:/images/toolbar/btn_toolbar_player_pre_pressed.svg"
    readonly property string strBtnPathPlayerPreDisable: "qrc:/images/toolbar/btn_toolbar_player_pre_disable.svg"
    readonly property string strBtnPathPlayerNextNormal: "qrc:/images/toolbar/btn_toolbar_player_next_normal.svg"
    readonly property string strBtnPathPlayerNextPressed: "qrc:/images/toolbar/btn_toolbar_player_next_pressed.svg"
    readonly property string strBtnPathPlayerNextDisable: "qrc:/images/toolbar/btn_toolbar_player_next_disable.svg"
    readonly property string strBtnPathPlayerLastNormal: "qrc:/images/toolbar/btn_toolbar_player_last_normal.svg"
    readonly property string strBtnPathPlayerLastPressed: "qrc:/images/toolbar/btn_toolbar_player_last_pressed.svg"
    readonly property string strBtnPathPlayerLastDisable: "qrc:/images/toolbar/btn_toolbar_player_last_disable.svg"
    readonly property string strBtnPathChangePaletteNormal: "qrc:/images/toolbar/btn_toolbar_change_palette_normal.svg"
    readonly property string strBtnPathChangePalettePressed: "qrc:/images/toolbar/btn_toolbar_change_palette_pressed.svg"
    readonly property string strBtnPathChangePaletteDisable: "qrc:/images/toolbar/btn_toolbar_change_palette_disable.svg"
    readonly property string strBtnPathSnapPicNormal: "qrc:/images/toolbar/btn_toolbar_snap_pic_normal.svg"
    readonly property string strBtnPathSnapPicPressed: "qrc:/images/toolbar/btn_toolbar_snap_pic_pressed.svg"
    readonly property string strBtnPathSnapPicDisable: "qrc:/images/toolbar/btn_toolbar_snap_pic_disable.svg"
    readonly property string strBtnPathBatchAnaNormal: "qrc:/images/toolbar/btn_toolbar_batch_ana_normal.svg"
    readonly property string strBtnPathBatchAnaPressed: "qrc:/images/toolbar/btn_toolbar_batch_ana_pressed.svg"
    readonly property string strBtnPathBatchAnaDisable: "qrc:/images/toolbar/btn_toolbar_batch_ana_disable.svg"
    readonly property string strBtnPathPlayListNormal: "qrc:/images/toolbar/btn_toolbar_play_list_normal.svg"
    readonly property string strBtnPathPlayListPressed: "qrc:/images/toolbar/btn_toolbar_play_list_pressed.svg"
    readonly property string strBtnPathPlayListDisable: "qrc:/images/toolbar/btn_toolbar_play_list_disable.svg"
    readonly property string strBtnPathPlayListLoopNormal: "qrc:/images/toolbar/btn_toolbar_play_list_loop_normal.svg"
    readonly property string strBtnPathPlayListLoopPressed: "qrc:/images/toolbar/btn_toolbar_play_list_loop_pressed.svg"
    readonly property string strBtnPathPlayListLoopDisable: "qrc:/images/toolbar/btn_toolbar_play_list_loop_disable.svg"
    readonly property string strBtnPathPlaySingleNormal: "qrc:/images/toolbar/btn_toolbar_play_single_normal.svg"
    readonly property string strBtnPathPlaySinglePressed: "qrc:/images/toolbar/btn_toolbar_play_single_pressed.svg"
    readonly property string strBtnPathPlaySingleDisable: "qrc:/images/toolbar/btn_toolbar_play_single_disable.svg"
    readonly property string strBtnPathPlaySingleLoopNormal: "qrc:/images/toolbar/btn_toolbar_play_single_loop_normal.svg"
    readonly property string strBtnPathPlaySingleLoopPressed: "qrc:/images/toolbar/btn_toolbar_play_single_loop_pressed.svg"
    readonly property string strBtnPathPlaySingleLoopDisable: "qrc:/images/toolbar/btn_toolbar_play_single_loop_disable.svg"
    readonly property string strBtnPathPtzMoveLeftTopNormal: "qrc:/images/toolbar/btn_toolbar_ptz_move_left_top_normal.svg"
    readonly property string strBtnPathPtzMoveLeftTopPressed: "qrc:/images/toolbar/btn_toolbar_ptz_move_left_top_pressed.svg"
    readonly property string strBtnPathPtzMoveLeftTopDisable: "qrc:/images/toolbar/btn_toolbar_ptz_move_left_top_disable.svg"
    readonly property string strBtnPathPtzMoveTopNormal: "qrc:/images/toolbar/btn_toolbar_ptz_move_top_normal.svg"
    readonly property string strBtnPathPtzMoveTopPressed: "qrc:/images/toolbar/btn_toolbar_ptz_move_top_pressed.svg"
    readonly property string strBtnPathPtzMoveTopDisable: "qrc:/images/toolbar/btn_toolbar_ptz_move_top_disable.svg"
    readonly property string strBtnPathPtzMoveRightTopNormal: "qrc:/images/toolbar/btn_toolbar_ptz_move_right_top_normal.svg"
    readonly property string strBtnPathPtzMoveRightTopPressed: "qrc:/images/toolbar/btn_toolbar_ptz_move_right_top_pressed.svg"
    readonly property string strBtnPathPtzMoveRightTopDisable: "qrc:/images/toolbar/btn_toolbar_ptz_move_right_top_disable.svg"
    readonly property string strBtnPathPtzMoveLeftNormal: "qrc:/images/toolbar/btn_toolbar_ptz_move_left_normal.svg"
    readonly property string strBtnPathPtzMoveLeftPressed: "qrc:/images/toolbar/btn_toolbar_ptz_move_left_pressed.svg"
    readonly property string strBtnPathPtzMoveLeftDisable: "qrc:/images/toolbar/btn_toolbar_ptz_move_left_disable.svg"
    readonly property string strBtnPathPtzMoveRightNormal: "qrc:/images/toolbar/btn_toolbar_ptz_move_right_normal.svg"
    readonly property string strBtnPathPtzMoveRightPressed: "qrc:/images/toolbar/btn_toolbar_ptz_move_right_pressed.svg"
    readonly property string strBtnPathPtzMoveRightDisable: "qrc:/images/toolbar/btn_toolbar_ptz_move_right_disable.svg"
    readonly property string strBtnPathPtzMoveLeftBottomNormal: "qrc:/images/toolbar/btn_toolbar_ptz_move_left_bottom_normal.svg"
    readonly property string strBtnPathPtzMoveLeftBottomPressed: "qrc:/images/toolbar/btn_toolbar_ptz_move_left_bottom_pressed.svg"
    readonly property string strBtnPathPtzMoveLeftBottomDisable: "qrc:/images/toolbar/btn_toolbar_ptz_move_left_bottom_disable.svg"
    readonly property string strBtnPathPtzMoveBottomNormal: "qrc:/images/toolbar/btn_toolbar_ptz_move_bottom_normal.svg"
    readonly property string strBtnPathPtzMoveBottomPressed: "qrc:/images/toolbar/btn_toolbar_ptz_move_bottom_pressed.svg"
    readonly property string strBtnPathPtzMoveBottomDisable: "qrc:/images/toolbar/btn_toolbar_ptz_move_bottom_disable.svg"
    readonly property string strBtnPathPtzMoveRightBottomNormal: "qrc:/images/toolbar/btn_toolbar_ptz_move_right_bottom_normal.svg"
    readonly property string strBtnPathPtzMoveRightBottomPressed: "qrc:/images/toolbar/btn_toolbar_ptz_move_right_bottom_pressed.svg"
    readonly property string strBtnPathPtzMoveRightBottomDisable: "qrc:/images/toolbar/btn_toolbar_ptz_move_right_bottom_disable.svg"
    readonly property string strBtnPathFocusInNormal: "qrc:/images/toolbar/btn_toolbar_focus_in_normal.svg"
    readonly property string strBtnPathFocusInPressed: "qrc:/images/toolbar/btn_toolbar_focus_in_pressed.svg"
    readonly property string strBtnPathFocusInDisable: "qrc:/images/toolbar/btn_toolbar_focus_in_disable.svg"
    readonly property string strBtnPathFocusOutNormal: "qrc:/images/toolbar/btn_toolbar_focus_out_normal.svg"
    readonly property string strBtnPathFocusOutPressed: "qrc:/images/toolbar/btn_toolbar_focus_out_pressed.svg"
    readonly property string strBtnPathFocusOutDisable: "qrc:/images/toolbar/btn_toolbar_focus_out_disable.svg"
    readonly property string strBtnPathZoomInNormal: "qrc:/images/toolbar/btn_toolbar_zoom_in_normal.svg"
    readonly property string strBtnPathZoomInPressed: "qrc:/images/toolbar/btn_toolbar_zoom_in_pressed.svg"
    readonly property string strBtnPathZoomInDisable: "qrc:/images/toolbar/btn_toolbar_zoom_in_disable.svg"
    readonly property string strBtnPathZoomOutNormal: "qrc:/images/toolbar/btn_toolbar_zoom_out_normal.svg"
    readonly property string strBtnPathZoomOutPressed: "qrc:/images/toolbar/btn_toolbar_zoom_out_pressed.svg"
    readonly property string strBtnPathZoomOutDisable: "qrc:/images/toolbar/btn_toolbar_zoom_out_disable.svg"
    readonly property string strBtnPathCorrectANormal: "qrc:/images/toolbar/btn_toolbar_correct_a_normal.svg"
    readonly property string strBtnPathCorrectAPressed: "qrc:/images/toolbar/btn_toolbar_correct_a_pressed.svg"
    readonly property string strBtnPathCorrectADisable: "qrc:/images/toolbar/btn_toolbar_correct_a_disable.svg"
    readonly property string strBtnPathVideoEditNormal: "qrc:/images/toolbar/btn_toolbar_video_edit_normal.svg"
    readonly property string strBtnPathVideoEditPressed: "qrc:/images/toolbar/btn_toolbar_video_edit_pressed.svg"
    readonly property string strBtnPathVideoEditDisable: "qrc:/images/toolbar/btn_toolbar_video_edit_disable.svg"
    readonly property string strBtnPathReportOpenFileNormal: "qrc:/images/toolbar/btn_toolbar_report_open_file_normal.svg"
    readonly property string strBtnPathReportOpenFilePressed: "qrc:/images/toolbar/btn_toolbar_report_open_file_pressed.svg"
    readonly property string strBtnPathReportOpenFileDisable: "qrc:/images/toolbar/btn_toolbar_report_open_file_disable.svg"
    readonly property string strBtnPathReportSaveNormal: "qrc:/images/toolbar/btn_toolbar_report_save_normal.svg"
    readonly property string strBtnPathReportSavePressed: "qrc:/images/toolbar/btn_toolbar_report_save_pressed.svg"
    readonly property string strBtnPathReportSaveDisable: "qrc:/images/toolbar/btn_toolbar_report_save_disable.svg"
    readonly property string strBtnPathReportSaveToNormal: "qrc:/images/toolbar/btn_toolbar_report_save_to_normal.svg"
    readonly property string strBtnPathReportSaveToPressed: "qrc:/images/toolbar/btn_toolbar_report_save_to_pressed.svg"
    readonly property string strBtnPathReportSaveToDisable: "qrc:/images/toolbar/btn_toolbar_report_save_to_disable.svg"
    readonly property string strBtnPathReportSelectNormal: "qrc:/images/toolbar/btn_toolbar_report_select_normal.svg"
    readonly property string strBtnPathReportSelectPressed: "qrc:/images/toolbar/btn_toolbar_report_select_pressed.svg"
    readonly property string strBtnPathReportSelectDisable: "qrc:/images/toolbar/btn_toolbar_report_select_disable.svg"
    readonly property string strBtnPathReportAddPicNormal: "qrc:/images/toolbar/btn_toolbar_report_add_pic_normal.svg"
    readonly property string strBtnPathReportAddPicPressed: "qrc:/images/toolbar/btn_toolbar_report_add_pic_pressed.svg"
    readonly property string strBtnPathReportAddPicDisable: "qrc:/images/toolbar/btn_toolbar_report_add_pic_disable.svg"
    readonly property string strBtnPathReportAddTableNormal: "qrc:/images/toolbar/btn_toolbar_report_add_table_normal.svg"
    readonly property string strBtnPathReportAddTablePressed: "qrc:/images/toolbar/btn_toolbar_report_add_table_pressed.svg"
    readonly property string strBtnPathReportAddTableDisable: "qrc:/images/toolbar/btn_toolbar_report_add_table_disable.svg"
    readonly property string strBtnPathReportAddMarkNormal: "qrc:/images/toolbar/btn_toolbar_report_add_mark_normal.svg"
    readonly property string strBtnPathReportAddMarkPressed: "qrc:/images/toolbar/btn_toolbar_report_add_mark_pressed.svg"
    readonly property string strBtnPathReportAddMarkDisable: "qrc:/images/toolbar/btn_toolbar_report_add_mark_disable.svg"
    readonly property string strBtnPathReportAddTextNormal: "qrc:/images/toolbar/btn_toolbar_report_add_text_normal.svg"
    readonly property string strBtnPathReportAddTextPressed: "qrc:/images/toolbar/btn_toolbar_report_add_text_pressed.svg"
    readonly property string strBtnPathReportAddTextDisable: "qrc:/images/toolbar/btn_toolbar_report_add_text_disable.svg"
    readonly property string strBtnPathTextBoldNormal: "qrc:/images/toolbar/btn_toolbar_text_bold_normal.svg"
    readonly property string strBtnPathTextBoldPressed: "qrc:/images/toolbar/btn_toolbar_text_bold_pressed.svg"
    readonly property string strBtnPathTextBoldDisable: "qrc:/images/toolbar/btn_toolbar_text_bold_disable.svg"
    readonly property string strBtnPathTextItalicNormal: "qrc:/images/toolbar/btn_toolbar_text_italic_normal.svg"
    readonly property string strBtnPathTextItalicPressed: "qrc:/images/toolbar/btn_toolbar_text_italic_pressed.svg"
    readonly property string strBtnPathTextItalicDisable: "qrc:/images/toolbar/btn_toolbar_text_italic_disable.svg"
    readonly property string strBtnPathTextUnderlineNormal: "qrc:/images/toolbar/btn_toolbar_text_underline_normal.svg"
    readonly property string strBtnPathTextUnderlinePressed: "qrc:/images/toolbar/btn_toolbar_text_underline_pressed.svg"
    readonly property string strBtnPathTextUnderlineDisable: "qrc:/images/toolbar/btn_toolbar_text_underline_disable.svg"
    readonly property string strBtnPathTextLeftNormal: "qrc:/images/toolbar/btn_toolbar_text_left_normal.svg"
    readonly property string strBtnPathTextLeftPressed: "qrc:/images/toolbar/btn_toolbar_text_left_pressed.svg"
    readonly property string strBtnPathTextLeftDisable: "qrc:/images/toolbar/btn_toolbar_text_left_disable.svg"
    readonly property string strBtnPathTextMidNormal: "qrc:/images/toolbar/btn_toolbar_text_mid_normal.svg"
    readonly property string strBtnPathTextMidPressed: "qrc:/images/toolbar/btn_toolbar_text_mid_pressed.svg"
    readonly property string strBtnPathTextMidDisable: "qrc:/images/toolbar/btn_toolbar_text_mid_disable.svg"
    readonly property string strBtnPathTextRightNormal: "qrc:/images/toolbar/btn_toolbar_text_right_normal.svg"
    readonly property string strBtnPathTextRightPressed: "qrc:/images/toolbar/btn_toolbar_text_right_pressed.svg"
    readonly property string strBtnPathTextRightDisable: "qrc:/images/toolbar/btn_toolbar_text_right_disable.svg"
    readonly property string strBtnPathReportAlignLeftNormal: "qrc:/images/toolbar/btn_toolbar_report_align_left_normal.svg"
    readonly property string strBtnPathReportAlignLeftPressed: "qrc:/images/toolbar/btn_toolbar_report_align_left_pressed.svg"
    readonly property string strBtnPathReportAlignLeftDisable: "qrc:/images/toolbar/btn_toolbar_report_align_left_disable.svg"
    readonly property string strBtnPathReportAlignRightNormal: "qrc:/images/toolbar/btn_toolbar_report_align_right_normal.svg"
    readonly property string strBtnPathReportAlignRightPressed: "qrc:/images/toolbar/btn_toolbar_report_align_right_pressed.svg"
    readonly property string strBtnPathReportAlignRightDisable: "qrc:/images/toolbar/btn_toolbar_report_align_right_disable.svg"
    readonly property string strBtnPathReportAlignTopNormal: "qrc:/images/toolbar/btn_toolbar_report_align_top_normal.svg"
    readonly property string strBtnPathReportAlignTopPressed: "qrc:/images/toolbar/btn_toolbar_report_align_top_pressed.svg"
    readonly property string strBtnPathReportAlignTopDisable: "qrc:/images/toolbar/btn_toolbar_report_align_top_disable.svg"
    readonly property string strBtnPathReportAlignBotoomNormal: "qrc:/images/toolbar/btn_toolbar_report_align_botoom_normal.svg"
    readonly property string strBtnPathReportAlignBotoomPressed: "qrc:/images/toolbar/btn_toolbar_report_align_botoom_pressed.svg"
    readonly property string strBtnPathReportAlignBotoomDisable: "qrc:/images/toolbar/btn_toolbar_report_align_botoom_disable.svg"
    readonly property string strBtnPathReportAlignVCenterNormal: "qrc:/images/toolbar/btn_toolbar_report_align_vcenter_normal.svg"
    readonly property string strBtnPathReportAlignVCenterPressed: "qrc:/images/toolbar/btn_toolbar_report_align_vcenter_pressed.svg"
    readonly property string strBtnPathReportAlignVCenterDisable: "qrc:/images/toolbar/btn_toolbar_report_align_vcenter_disable.svg"
    readonly property string strBtnPathReportAlignHCenterNormal: "qrc:/images/toolbar/btn_toolbar_report_align_hcenter_normal.svg"
    readonly property string strBtnPathReportAlignHCenterPressed: "qrc:/images/toolbar/btn_toolbar_report_align_hcenter_pressed.svg"
    readonly property string strBtnPathReportAlignHCenterDisable: "qrc:/images/toolbar/btn_toolbar_report_align_hcenter_disable.svg"
    readonly property string strBtnPathReportVerDistributionNormal: "qrc:/images/toolbar/btn_toolbar_report_ver_distribution_normal.svg"
    readonly property string strBtnPathReportVerDistributionPressed: "qrc:/images/toolbar/btn_toolbar_report_ver_distribution_pressed.svg"
    readonly property string strBtnPathReportVerDistributionDisable: "qrc:/images/toolbar/btn_toolbar_report_ver_distribution_disable.svg"
    readonly property string strBtnPathReportHorDistributionNormal: "qrc:/images/toolbar/btn_toolbar_report_hor_distribution_normal.svg"
    readonly property string strBtnPathReportHorDistributionPressed: "qrc:/images/toolbar/btn_toolbar_report_hor_distribution_pressed.svg"
    readonly property string strBtnPathReportHorDistributionDisable: "qrc:/images/toolbar/btn_toolbar_report_hor_distribution_disable.svg"

    // Translated tooltip of a toolbar button; an id without one gives "".
    function get_btn_tooltip(id_btn) {
        switch (id_btn) {
        case idBtnAddPoint: return qsTr("添加点分析")
        case idBtnAddLine: return qsTr("添加线分析")
        case idBtnAddRect: return qsTr("添加矩形分析")
        case idBtnAddEllipse: return qsTr("添加椭圆分析")
        case idBtnAddPolygon: return qsTr("添加多边形分析")
        case idBtnAddPolyline: return qsTr("添加折线分析")
        case idBtnDeleteAna: return qsTr("删除分析")
        case idBtnClearAna: return qsTr("删除全部分析")
        case idBtnImportAna: return qsTr("导入分析")
        case idBtnExportAna: return qsTr("导出分析")
        case idBtnIsotherm: return qsTr("等温线")
        case idBtnShowMouseTemp: return qsTr("显示鼠标温度")
        case idBtnShowMaxTemp: return qsTr("显示最高温")
        case idBtnShowMinTemp: return qsTr("显示最低温")
        case idBtnChartLine: return qsTr("折线图")
        case idBtnChartArea: return qsTr("直方图")
        case idBtnChartTrend: return qsTr("温度趋势")
        case idBtnCopyTemp: return qsTr("复制温度")
        case idBtnShowTempTable: return qsTr("温度表")
        case idBtnShowTempPreview: return qsTr("温度预览")
        case idBtnSnap: return qsTr("截图")
        case idBtnImageBlur: return qsTr("图像增强")
        case idBtnWndZoomRestore: return qsTr("原始大小")
        case idBtnWndZoomOut: return qsTr("缩小")
        case idBtnWndZoomIn: return qsTr("放大")
        case idBtnPicPrevious: return qsTr("上一张")
        case idBtnPicNext: return qsTr("下一张")
        case idBtnSave: return qsTr("保存")
        case idBtnSaveTo: return qsTr("另存为")
        case idBtnRotateLeft90: return qsTr("向左旋转90度")
        case idBtnRotateRight90: return qsTr("向右旋转90度")
        case idBtnReport: return qsTr("生成报告")
        case idBtnFullsrceen: return qsTr("全屏")
        case idBtnPicDelete: return qsTr("删除图片")
        case idBtnPlayerPlay: return qsTr("播放")
        case idBtnPlayerPause: return qsTr("暂停")
        case idBtnPlayerStop: return qsTr("停止")
        case idBtnPlayerFirst: return qsTr("第一帧")
        case idBtnPlayerPre: return qsTr("上一帧")
        case idBtnPlayerNext: return qsTr("下一帧")
        case idBtnPlayerLast: return qsTr("最后一帧")
        case idBtnChangePalette: return qsTr("调色板")
        case idBtnSnapPic: return qsTr("抓拍")
        case idBtnBatchAna: return qsTr("批量分析")
        case idBtnPlayList: return qsTr("顺序播放")
        case idBtnPlayListLoop: return qsTr("列表循环")
        case idBtnPlaySingle: return qsTr("单个播放")
        case idBtnPlaySingleLoop: return qsTr("单个循环")
        case idBtnPtzMoveLeftTop: return qsTr("左上")
        case idBtnPtzMoveTop: return qsTr("上")
        case idBtnPtzMoveRightTop: return qsTr("右上")
        case idBtnPtzMoveLeft: return qsTr("左")
        case idBtnPtzMoveRight: return qsTr("右")
        case idBtnPtzMoveLeftBottom: return qsTr("左下")
        case idBtnPtzMoveBottom: return qsTr("下")
        case idBtnPtzMoveRightBottom: return qsTr("右下")
        case idBtnFocusIn: return qsTr("近焦")
        case idBtnFocusOut: return qsTr("远焦")
        case idBtnZoomIn: return qsTr("变倍放大")
        case idBtnZoomOut: return qsTr("变倍缩小")
        case idBtnCorrectA: return qsTr("校正")
        case idBtnVideoEdit: return qsTr("视频剪辑")
        case idBtnReportOpenFile: return qsTr("打开报告")
        case idBtnReportSave: return qsTr("保存报告")
        case idBtnReportSaveTo: return qsTr("报告另存为")
        case idBtnReportSelect: return qsTr("选择")
        case idBtnReportAddPic: return qsTr("添加图片")
        case idBtnReportAddTable: return qsTr("添加表格")
        case idBtnReportAddMark: return qsTr("添加标记")
        case idBtnReportAddText: return qsTr("添加文本")
        case idBtnTextBold: return qsTr("加粗")
        case idBtnTextItalic: return qsTr("斜体")
        case idBtnTextUnderline: return qsTr("下划线")
        case idBtnTextLeft: return qsTr("左对齐")
        case idBtnTextMid: return qsTr("居中")
        case idBtnTextRight: return qsTr("右对齐")
        case idBtnReportAlignLeft: return qsTr("组件左对齐")
        case idBtnReportAlignRight: return qsTr("组件右对齐")
        case idBtnReportAlignTop: return qsTr("顶端对齐")
        case idBtnReportAlignBotoom: return qsTr("底端对齐")
        case idBtnReportAlignVCenter: return qsTr("垂直居中")
        case idBtnReportAlignHCenter: return qsTr("水平居中")
        case idBtnReportVerDistribution: return qsTr("纵向分布")
        case idBtnReportHorDistribution: return qsTr("横向分布")
        default: return ""
        }
    }
}
