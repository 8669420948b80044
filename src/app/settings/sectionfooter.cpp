#include "app/settings/sectionfooter.h"

namespace App {

SectionFooter::SectionFooter(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setWordWrap(true);
    setForegroundRole(QPalette::PlaceholderText);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    setFont(small);
}

} // namespace App
