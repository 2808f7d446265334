#pragma once
// The suite's small toolbar images, drawn rather than loaded so that they
// exist on every platform and style.

#include <QIcon>
#include <QList>

namespace siblings::icons {

QList<QIcon> buttons();   // 0 cancel, 1 modify, 2 delete, 3 add, 4 choose
QList<QIcon> small();     // 0 choose (ellipsis), 1 clear
QList<QIcon> filters();   // 0 filter, 1 clear filter, 2 sort up, 3 sort down, 4 find, 5 help

}  // namespace siblings::icons
