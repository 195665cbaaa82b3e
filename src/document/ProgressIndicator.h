#pragma once

#include <QString>

namespace velantor {

// What the document generator and the loader tell the progress window (frmProgresoGeneral):
// a text for its label and a bar. The window implements it; the command-line tool and
// the tests use PlainProgress.
class ProgressIndicator {
public:
    virtual ~ProgressIndicator() = default;

    virtual void setText(const QString& text) = 0;
    virtual void setMaximum(int maximum) = 0;
    virtual void setValue(int value) = 0;
    virtual int value() const = 0;
    virtual int maximum() const = 0;

    // One step more, never beyond the maximum.
    void advance() {
        if (value() < maximum())
            setValue(value() + 1);
    }
};

// A progress without a window: it only keeps the values.
class PlainProgress : public ProgressIndicator {
public:
    void setText(const QString& text) override { m_text = text; }
    void setMaximum(int maximum) override { m_maximum = maximum; }
    void setValue(int value) override { m_value = value; }
    int value() const override { return m_value; }
    int maximum() const override { return m_maximum; }
    const QString& text() const { return m_text; }

private:
    QString m_text;
    int m_maximum = 100;
    int m_value = 0;
};

} // namespace velantor
