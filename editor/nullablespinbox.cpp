#include "editor/nullablespinbox.h"

#include "editor/wheelguard.h"

#include <QLineEdit>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace tarvena::editor {

NullableSpinBox::NullableSpinBox(QWidget *parent) : QAbstractSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setKeyboardTracking(false);
    takeWheelOnlyWithFocus(this);
    connect(lineEdit(), &QLineEdit::textEdited, this, &NullableSpinBox::userEdited);
    // Leaving the control takes the text: a number beyond the range comes back to its bound.
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] {
        QString text = lineEdit()->text();
        fixup(text);
        if (text != lineEdit()->text()) {
            lineEdit()->setText(text);
            emit userEdited();
        }
    });
}

std::optional<double> NullableSpinBox::value() const
{
    const QString text = lineEdit()->text().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double number = text.toDouble(&ok); // always "." whatever the machine's locale
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return clamp(number);
}

void NullableSpinBox::setValue(std::optional<double> value)
{
    const QString text = value ? format(*value) : QString();
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
}

QString NullableSpinBox::valueText() const
{
    const std::optional<double> number = value();
    return number ? format(*number) : QString();
}

void NullableSpinBox::stepBy(int steps)
{
    const double next = clamp(value().value_or(0) + steps);
    lineEdit()->setText(format(next));
    lineEdit()->selectAll();
    emit userEdited();
    emit stepped();
}

QValidator::State NullableSpinBox::validate(QString &input, int &) const
{
    static const QRegularExpression partial(QStringLiteral("^-?\\d*(\\.\\d*)?$"));
    const QString text = input.trimmed();
    if (text.isEmpty())
        return QValidator::Acceptable;
    if (!partial.match(text).hasMatch())
        return QValidator::Invalid;
    const int dot = text.indexOf(QLatin1Char('.'));
    if (dot >= 0 && (mDecimals == 0 || text.size() - dot - 1 > mDecimals))
        return QValidator::Invalid;
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok)
        return QValidator::Intermediate; // "-" or "."
    return number < 0 || number > mMaximum ? QValidator::Intermediate : QValidator::Acceptable;
}

void NullableSpinBox::fixup(QString &input) const
{
    bool ok = false;
    const double number = input.trimmed().toDouble(&ok);
    if (ok && std::isfinite(number))
        input = format(clamp(number));
    else if (!input.trimmed().isEmpty())
        input.clear(); // "-" or "." alone means nothing typed
}

QAbstractSpinBox::StepEnabled NullableSpinBox::stepEnabled() const
{
    if (isReadOnly() || !isEnabled())
        return StepNone;
    const std::optional<double> number = value();
    if (!number)
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (*number < mMaximum)
        enabled |= StepUpEnabled;
    if (*number > 0)
        enabled |= StepDownEnabled;
    return enabled;
}

QString NullableSpinBox::format(double value) const
{
    return QString::number(value, 'f', mDecimals);
}

double NullableSpinBox::clamp(double value) const
{
    return std::clamp(value, 0.0, mMaximum);
}

} // namespace tarvena::editor
