#pragma once
// A spin box that can be empty: a whole or decimal number from 0 to a maximum, or nothing, since
// every field of the passport can be empty. A number typed beyond the range is brought back to the
// nearest bound when the text is taken (leaving the control, Enter, a step).
#include <QAbstractSpinBox>

#include <optional>

namespace tarvena::editor {

class NullableSpinBox : public QAbstractSpinBox
{
    Q_OBJECT
public:
    explicit NullableSpinBox(QWidget *parent = nullptr);

    void setDecimals(int decimals) { mDecimals = decimals; }
    int decimals() const { return mDecimals; }
    void setMaximum(double maximum) { mMaximum = maximum; }
    double maximum() const { return mMaximum; }

    std::optional<double> value() const;
    // Shows a value without telling anyone (a refresh from the field).
    void setValue(std::optional<double> value);
    // The value as the field takes it: digits with "." as decimal separator, or empty.
    QString valueText() const;

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

signals:
    // The user changed the number (typed, stepped or emptied).
    void userEdited();
    // The user stepped the number with the buttons, the arrow keys or the wheel (only once the box has
    // keyboard focus: the wheel over a box without it scrolls the page).
    void stepped();

protected:
    StepEnabled stepEnabled() const override;

private:
    QString format(double value) const;
    double clamp(double value) const;

    int mDecimals = 0;
    double mMaximum = 100000;
};

} // namespace tarvena::editor
