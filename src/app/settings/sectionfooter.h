#pragma once

#include <QLabel>

namespace App {

// The footnote under a section of a settings form.
class SectionFooter : public QLabel
{
    Q_OBJECT
public:
    explicit SectionFooter(const QString& text, QWidget* parent = nullptr);
};

} // namespace App
