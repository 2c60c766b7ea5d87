#pragma once

#include "generator.h"
#include "runview.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// The program's one window.
class Form1 : public QWidget, private RunView, public Generator
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);

private:
    QString targetText() const override;
    void showCount(const QString &caption) override;
    quintptr nativeHandle() const override;
    void showMessage(const QString &prompt, int style, const QString &title) override;
    void processPendingEvents() override;

    QLineEdit *Text1;
    QLabel *Label3;
    QPushButton *Command1;
};
