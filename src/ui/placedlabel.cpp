#include "placedlabel.h"

#include <QLabel>

namespace vap::ui {

QLabel* placedLabel(QWidget* parent, const char* name, const QString& text, QPoint place,
                    bool bold) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    label->move(place);
    label->adjustSize();
    return label;
}

} // namespace vap::ui
