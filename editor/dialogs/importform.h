#pragma once
// TImportForm: the contour import dialog. The user pastes or loads the lines of points, chooses the
// current horizon's coordinate system (written straight into the horizon table), the lines and
// columns to read and, for the projections, where the zone comes from.
#include "editor/dialogservice.h"
#include "model/contourimport.h"

#include <QDialog>

#include <string>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tarvena::editor {

class LookupBinding;
struct PageContext;

class TImportForm : public QDialog
{
    Q_OBJECT
public:
    explicit TImportForm(PageContext &context, QWidget *parent = nullptr);

    QPlainTextEdit *Memo1() const { return mMemo1; }
    QPushButton *BitBtn1() const { return mBitBtn1; }
    QPushButton *BitBtn2() const { return mBitBtn2; }
    QComboBox *JvDBLookupCombo1() const { return mJvDBLookupCombo1; }
    QSpinBox *JvSpinEdit1() const { return mJvSpinEdit1; }
    QSpinBox *JvSpinEdit2() const { return mJvSpinEdit2; }
    QSpinBox *JvSpinEdit3() const { return mJvSpinEdit3; }
    QSpinBox *JvSpinEdit4() const { return mJvSpinEdit4; }
    QRadioButton *RadioButton1() const { return mRadioButton1; }
    QRadioButton *RadioButton2() const { return mRadioButton2; }
    QComboBox *ComboBox1() const { return mComboBox1; }
    QLabel *StaticText1() const { return mStaticText1; }

    // The lines of the memo in code page 1251, one per line.
    std::string text() const;
    // What the dialog says about reading them; the coordinate system is the horizon's.
    ContourImportSettings settings() const;

    // The zone controls follow the current horizon's coordinate system.
    void FormCreate();
    void JvDBLookupCombo1Change();
    // Loads a text file into the memo, replacing its lines.
    void BitBtn1Click();

private:
    void setZoneControls();

    PageContext &mContext;
    FileDialogSettings mOpenDialog1;
    QPlainTextEdit *mMemo1;
    QPushButton *mBitBtn1;
    QPushButton *mBitBtn2;
    QComboBox *mJvDBLookupCombo1;
    LookupBinding *mCoordinates;
    QSpinBox *mJvSpinEdit1;
    QSpinBox *mJvSpinEdit2;
    QSpinBox *mJvSpinEdit3;
    QSpinBox *mJvSpinEdit4;
    QRadioButton *mRadioButton1;
    QRadioButton *mRadioButton2;
    QComboBox *mComboBox1;
    QLabel *mStaticText1;
};

} // namespace tarvena::editor
