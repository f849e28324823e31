#include "shell/navigatorlayout.h"

#include "shell/mainwindow.h"

#include <QMdiSubWindow>
#include <QVBoxLayout>

namespace shell {

void layOutNavigator(QWidget *form, QWidget *criteria, QWidget *found, QWidget *lines)
{
    auto *main = new QVBoxLayout(form);
    main->addWidget(criteria);
    main->addWidget(found, 55);
    main->addWidget(lines, 45);
}

void placeAtTopLeft(QWidget *form, const std::function<QSize(const QSize &mainWindow)> &size)
{
    auto *sub = qobject_cast<QMdiSubWindow *>(form->parentWidget());
    if (sub && mainWindow())
        sub->setGeometry(QRect(QPoint(0, 0), size(mainWindow()->size())));
}

} // namespace shell
