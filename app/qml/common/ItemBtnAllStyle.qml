pragma Singleton
import QtQuick 2.15

// Shared control styles in the colours of ItemCommonClr.
QtObject {
}
