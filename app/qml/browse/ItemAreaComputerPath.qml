import QtQuick 2.15
import VY.ModelDirInfo 1.0
import "../common"

// Folder area of the start page: the desktop and the drives as a tree that
// opens folder by folder, and the recent folders under it. The tree is kept
// flat, one row per shown node in display order, so that opening a node
// inserts its children below it and closing it removes the rows that follow
// at a deeper level.
Rectangle {
    id: id_area
    objectName: "area_computer_path"
    color: ItemCommonClr.clrClientSecBackgroud

    // Path of the selected node.
    property string ms_select_path: ""
    readonly property int nRowHeight: 20

    signal sig_set_cur_path(string path)

    ModelDirInfo {
        id: id_dir_info
        onSig_add_device: id_area.add_drive(s_dir)
        onSig_remove_device: id_area.remove_drive(s_dir)
    }

    ListModel { id: id_tree }

    function node_row(path) {
        for (var i = 0; i < id_tree.count; ++i) {
            if (id_tree.get(i).DirPath === path)
                return i
        }
        return -1
    }

    function add_drive(path) {
        for (var i = 0; i < id_tree.count; ++i) {
            if (id_tree.get(i).DirLevel === 0 && id_tree.get(i).DirPath === path)
                return
        }
        id_tree.append({ DirName: path, DirLevel: 0, DirPath: path, DirExpand: false,
                         DirHasChild: true, DirDesktop: false })
    }

    function remove_drive(path) {
        var row = -1
        for (var i = 0; i < id_tree.count; ++i) {
            if (id_tree.get(i).DirLevel === 0 && id_tree.get(i).DirPath === path)
                row = i
        }
        if (row < 0)
            return
        collapse(row)
        id_tree.remove(row)
    }

    function collapse(row) {
        var level = id_tree.get(row).DirLevel
        while (row + 1 < id_tree.count && id_tree.get(row + 1).DirLevel > level)
            id_tree.remove(row + 1)
        id_tree.setProperty(row, "DirExpand", false)
    }

    // Lists the node's sub-folders again and shows them below it.
    function expand(row) {
        collapse(row)
        var node = id_tree.get(row)
        var subs = id_dir_info.get_sub_path(node.DirPath)
        for (var i = 0; i < subs.length; ++i) {
            id_tree.insert(row + 1 + i, { DirName: subs[i].str_name, DirLevel: node.DirLevel + 1,
                                          DirPath: subs[i].str_path, DirExpand: false,
                                          DirHasChild: subs[i].b_has_child, DirDesktop: node.DirDesktop })
        }
        id_tree.setProperty(row, "DirHasChild", subs.length > 0)
        id_tree.setProperty(row, "DirExpand", true)
    }

    // A folder chosen in the tree is no longer the history's current entry;
    // one chosen from the history stays it.
    function choose(row, from_history) {
        var path = id_tree.get(row).DirPath
        if (!from_history)
            id_history.clear_cur_path()
        if (path === ms_select_path)
            return
        ms_select_path = path
        DataConfig.str_preview_path = path
        sig_set_cur_path(path)
    }

    function update_history() { id_history.update_history() }

    // Opens the tree down to path from the deepest top node that holds it
    // (the desktop before a drive) and selects the deepest node found.
    function select_path(path, from_history) {
        var best = -1
        for (var i = 0; i < id_tree.count; ++i) {
            var top = id_tree.get(i)
            if (top.DirLevel !== 0)
                continue
            var prefix = top.DirPath === "/" ? "/" : top.DirPath + "/"
            if ((path === top.DirPath || path.indexOf(prefix) === 0)
                    && (best < 0 || top.DirPath.length > id_tree.get(best).DirPath.length))
                best = i
        }
        if (best < 0)
            return
        var row = best
        var rest = path.substring(id_tree.get(best).DirPath.length)
        var parts = rest.split("/")
        for (var p = 0; p < parts.length; ++p) {
            if (parts[p] === "")
                continue
            expand(row)
            var found = -1
            for (var c = row + 1; c < id_tree.count && id_tree.get(c).DirLevel > id_tree.get(row).DirLevel; ++c) {
                if (id_tree.get(c).DirLevel === id_tree.get(row).DirLevel + 1 && id_tree.get(c).DirName === parts[p]) {
                    found = c
                    break
                }
            }
            if (found < 0)
                break
            row = found
        }
        // The node reached is opened too, showing its sub-folders.
        if (!id_tree.get(row).DirExpand)
            expand(row)
        scroll_to_node(id_tree.get(row).DirPath, false)
        choose(row, from_history === true)
    }
    // Brings the node into view; only_hidden leaves a node already shown
    // where it is.
    function scroll_to_node(path, only_hidden) {
        var row = node_row(path)
        if (row < 0)
            return
        var top = row * nRowHeight
        // Before the area has its height and the column its rows (both are
        // laid out later) the place would not hold: it is taken again then.
        if (id_flick.height <= 0 || id_flick.contentHeight < top + nRowHeight) {
            ms_scroll_pending = path
            return
        }
        ms_scroll_pending = ""
        if (only_hidden && top >= id_flick.contentY && top + nRowHeight <= id_flick.contentY + id_flick.height)
            return
        id_flick.contentY = Math.max(0, Math.min(top, id_flick.contentHeight - id_flick.height))
    }
    property string ms_scroll_pending: ""
    function scroll_pending() {
        if (ms_scroll_pending !== "")
            scroll_to_node(ms_scroll_pending, false)
    }

    function desktop_name() { return qsTr("桌面") }

    // The top nodes, then the tree opened down to the stored folder, which
    // the start page shows at once.
    Component.onCompleted: {
        var desktop = id_dir_info.get_desktop_path()
        if (desktop !== "")
            id_tree.append({ DirName: desktop_name(), DirLevel: 0, DirPath: desktop, DirExpand: false,
                             DirHasChild: true, DirDesktop: true })
        var drives = id_dir_info.get_dirves_path()
        for (var i = 0; i < drives.length; ++i)
            add_drive(drives[i])
        if (DataConfig.str_preview_path !== "")
            select_path(DataConfig.str_preview_path)
    }
    Connections {
        target: HTranslator
        function onSig_language_changed() {
            for (var i = 0; i < id_tree.count; ++i) {
                if (id_tree.get(i).DirLevel === 0 && id_tree.get(i).DirDesktop)
                    id_tree.setProperty(i, "DirName", id_area.desktop_name())
            }
        }
    }

    Flickable {
        id: id_flick
        objectName: "tree_flick"
        anchors.fill: parent
        clip: true
        contentHeight: id_column.height
        boundsBehavior: Flickable.StopAtBounds
        // The stored folder is opened before the area has its height.
        onHeightChanged: {
            if (id_area.ms_scroll_pending !== "")
                id_area.scroll_pending()
            else if (id_area.ms_select_path !== "")
                id_area.scroll_to_node(id_area.ms_select_path, true)
        }
        onContentHeightChanged: id_area.scroll_pending()

        Column {
            id: id_column
            width: id_flick.width

            ListView {
                id: id_tree_view
                objectName: "tree_view"
                width: parent.width
                height: count * id_area.nRowHeight
                interactive: false
                model: id_tree
                delegate: Rectangle {
                    objectName: "tree_node_" + DirPath
                    width: id_tree_view.width
                    height: id_area.nRowHeight
                    color: DirPath === id_area.ms_select_path ? ItemCommonClr.clrCurBackgroud
                         : id_node_mouse.containsMouse ? ItemCommonClr.clrPreviewHover : ItemCommonClr.clrTransparent
                    Text {
                        objectName: "tree_node_text"
                        x: 4 + DirLevel * 20
                        anchors.verticalCenter: parent.verticalCenter
                        width: parent.width - x
                        elide: Text.ElideMiddle
                        textFormat: Text.PlainText
                        color: ItemCommonClr.clrTextSecLv
                        text: (DirHasChild ? (DirExpand ? " - " : " + ") : "   ") + DirName
                    }
                    MouseArea {
                        id: id_node_mouse
                        anchors.fill: parent
                        hoverEnabled: true
                        onPressed: {
                            if (DirExpand)
                                id_area.collapse(index)
                            else
                                id_area.expand(index)
                            id_area.choose(index)
                        }
                    }
                }
            }

            ItemContentPathHistory {
                id: id_history
                width: parent.width
                onSig_checkout_path: {
                    DataConfig.str_preview_path = path
                    id_area.select_path(path, true)
                }
            }
        }
    }
}
