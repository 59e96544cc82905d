#pragma once
// TEditScaleForm: the map scale editor. A scale is stored as the denominator N of 1:N; the dialog
// offers the usual scales, "no value" (0) and a free denominator typed beside the last item.
#include <QDialog>

#include <array>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarvena::editor {

class TEditScaleForm : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kItemCount = 8;
    static constexpr int kOtherItem = 7;

    explicit TEditScaleForm(QWidget *parent = nullptr);

    // Selects the item of a denominator, or the free item with the number in its box.
    void setValue(int denominator);
    // The chosen denominator; valid once the dialog closed with "Ok".
    int value() const { return mValue; }
    // "Ok": takes the denominator of the selected item and closes.
    void Button1Click();

    int selectedItem() const;
    QRadioButton *item(int index) const { return mItems.at(std::size_t(index)); }
    QLineEdit *edit() const { return mEdit; }
    QPushButton *okButton() const { return mOk; }
    QPushButton *cancelButton() const { return mCancel; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::array<QRadioButton *, kItemCount> mItems{};
    QButtonGroup *mGroup;
    QLineEdit *mEdit;
    QPushButton *mOk;
    QPushButton *mCancel;
    int mValue = 0;
};

} // namespace tarvena::editor
