// The numeric edit: while focused it shows the number plainly and filters the
// keys so the text stays a number; when left it converts, limits to
// MinValue..MaxValue and rewrites the text, and paints the value in
// DisplayFormat. The forms use it as the two-digit month field.
#pragma once

#include <stdexcept>

#include "controls/ComboEdits.h"

// The picture formatter of os::FormatFloat with the locale's separators.
QString FormatFloat(const QString& format, double value);
// The same with given separators (the locale's are not always the ones a
// text must show).
QString FormatFloat(const QString& format, double value, QChar decimalSep, QChar thousandSep);

// "'<text>' is not a valid floating point value" and the range error.
class NumberConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TCustomNumEdit : public TCustomComboEdit {
    Q_OBJECT
public:
    explicit TCustomNumEdit(QWidget* parent = nullptr);

    // Reading converts the current text first; any failure gives MinValue.
    double Value();
    void SetValue(double value);
    double MinValue() const { return minValue_; }
    void SetMinValue(double v);
    double MaxValue() const { return maxValue_; }
    void SetMaxValue(double v);
    int DecimalPlaces() const { return decimalPlaces_; }
    void SetDecimalPlaces(int n);
    QString DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const QString& format);
    bool ZeroEmpty() const { return zeroEmpty_; }
    void SetZeroEmpty(bool on);
    bool FormatOnEditing() const { return formatOnEditing_; }
    void SetFormatOnEditing(bool on);
    Qt::Alignment Alignment() const { return alignment_; }
    void SetAlignment(Qt::Alignment a);
    bool BeepOnError = true;
    bool CheckOnExit = false;
    // 0 means no limit.
    void SetMaxLength(int n);

    // Text write: normalised, converted (NumberConversionError when it is no
    // number), limited to the range and written back as the value's text.
    void SetText(const QString& text) override;

    QString NormaliseNumberText(const QString& text) const;
    // Limits to the range; with `raise` a corrected value is an error.
    double ClampToRange(double value, bool raise) const;
    bool ValidFloatText(const QString& text, double& value) const;
    QString GroupThousands(const QString& text, bool on) const;
    void RefreshEditText();
    virtual QString StandardDisplayFormat() const { return QStringLiteral(",0.##"); }
    bool AcceptsKey(QChar c) const;
    QString FormattedDisplayText() const;

protected:
    QPixmap DefaultButtonGlyph() const override;
    int DefaultNumGlyphs() const override { return 2; }
    void KeyPress(QChar& c) override;
    bool DoExit() override;
    void DoEnter(Qt::FocusReason reason) override;
    void Change() override;
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    // Standard format of the class; set by the constructor of each class.
    void ApplyStandardDisplayFormat() { displayFormat_ = StandardDisplayFormat(); }

private:
    QString EditText() const;
    double Convert(const QString& normalised) const;  // NumberConversionError
    void ParseIntoValue();
    void RegroupWhileTyping();

    double value_ = 0, minValue_ = 0, maxValue_ = 0;
    int decimalPlaces_ = 2;
    QString displayFormat_;
    bool zeroEmpty_ = true, formatOnEditing_ = false;
    Qt::Alignment alignment_ = Qt::AlignRight;
};

class TCurrencyEdit : public TCustomNumEdit {
    Q_OBJECT
public:
    explicit TCurrencyEdit(QWidget* parent = nullptr);
    QString StandardDisplayFormat() const override;
};
