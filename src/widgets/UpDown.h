#pragma once

#include <QWidget>

class QToolButton;

// The up and down arrows beside a form's year or month box. The arrows hold a whole number of their
// own, moved by a click, an Up or Down key or code; the form copies it into its box when `changed`
// reports it. The box is the form's own line edit, so what the clerk types there never moves the
// value, and the next step starts from the value, not from the typed text.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    int value() const { return m_value; }
    // A value outside the range is taken as the nearest end of it.
    void setValue(int value);

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    void setRange(int minimum, int maximum);

    int increment() const { return m_increment; }
    void setIncrement(int increment);

    // With wrap, a step past one end goes on from the other; without it, the value stops at the end.
    bool wraps() const { return m_wrap; }
    void setWrap(bool wrap);

    QSize sizeHint() const override;

public slots:
    void stepUp();
    void stepDown();

signals:
    // The value moved, by a click, a key or code; never sent when it stays the same.
    void changed(int value);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void step(int direction);
    QToolButton* makeArrow(Qt::ArrowType arrow, const QString& name);

    int m_value = 0;
    int m_minimum = 0;
    int m_maximum = 10;
    int m_increment = 1;
    bool m_wrap = false;
};
