pragma ComponentBehavior: Bound
import QtQuick

// The frameless main window's edges: dragging one resizes the window through the window manager.
Item {
    id: edges
    required property Window window
    property int grip: 6
    anchors.fill: parent
    visible: window.visibility !== Window.Maximized && window.visibility !== Window.FullScreen

    component Edge: MouseArea {
        required property int edgesToResize
        hoverEnabled: true
        acceptedButtons: Qt.LeftButton
        onPressed: edges.window.startSystemResize(edgesToResize)
    }

    Edge { edgesToResize: Qt.LeftEdge; cursorShape: Qt.SizeHorCursor
        anchors { left: parent.left; top: parent.top; bottom: parent.bottom; topMargin: edges.grip; bottomMargin: edges.grip }
        width: edges.grip }
    Edge { edgesToResize: Qt.RightEdge; cursorShape: Qt.SizeHorCursor
        anchors { right: parent.right; top: parent.top; bottom: parent.bottom; topMargin: edges.grip; bottomMargin: edges.grip }
        width: edges.grip }
    Edge { edgesToResize: Qt.TopEdge; cursorShape: Qt.SizeVerCursor
        anchors { top: parent.top; left: parent.left; right: parent.right; leftMargin: edges.grip; rightMargin: edges.grip }
        height: edges.grip }
    Edge { edgesToResize: Qt.BottomEdge; cursorShape: Qt.SizeVerCursor
        anchors { bottom: parent.bottom; left: parent.left; right: parent.right; leftMargin: edges.grip; rightMargin: edges.grip }
        height: edges.grip }
    Edge { edgesToResize: Qt.TopEdge | Qt.LeftEdge; cursorShape: Qt.SizeFDiagCursor
        anchors { top: parent.top; left: parent.left } width: edges.grip; height: edges.grip }
    Edge { edgesToResize: Qt.TopEdge | Qt.RightEdge; cursorShape: Qt.SizeBDiagCursor
        anchors { top: parent.top; right: parent.right } width: edges.grip; height: edges.grip }
    Edge { edgesToResize: Qt.BottomEdge | Qt.LeftEdge; cursorShape: Qt.SizeBDiagCursor
        anchors { bottom: parent.bottom; left: parent.left } width: edges.grip; height: edges.grip }
    Edge { edgesToResize: Qt.BottomEdge | Qt.RightEdge; cursorShape: Qt.SizeFDiagCursor
        anchors { bottom: parent.bottom; right: parent.right } width: edges.grip; height: edges.grip }
}
