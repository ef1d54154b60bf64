// Finds visible text that a user cannot read whole in a window: a Text item
// cut without an elision or wider than the box it sits in, and controls of
// one row or column (Row, Column, Grid, Flow and the layouts) whose drawn
// extents overlap. Layers meant to cover (popups, bars over a picture) are
// not children of one positioner and are not looked at.
#pragma once

#include <QStringList>

class QQuickItem;

namespace roadtest {

// One line per fault, naming the item by its path of object names and the
// text concerned; empty when every visible text below the root is whole.
QStringList find_text_faults(QQuickItem* root);

}  // namespace roadtest
