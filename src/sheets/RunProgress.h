#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

// The progress of one long listing run: nothing during its first half second, then a dialog with the
// listing's caption and the rows written of the rows to write, without a cancel button (a run
// stopped half-way would leave a half listing).
class RunProgress {
public:
    RunProgress(const QString& caption, QWidget* window);
    ~RunProgress();

    // Starts a stretch of `total` rows; step() is then told the rows done so far.
    void begin(int total);
    void step(int done)
    {
        if ((done & (stepRows - 1)) == 0)
            update(done);
    }
    void end();

private:
    static constexpr int stepRows = 1024; // rows between two looks at the clock
    void update(int done);

    QString m_caption;
    QPointer<QWidget> m_window;
    QElapsedTimer m_clock;
    QElapsedTimer m_sinceRepaint;
    int m_total = 0;
    std::unique_ptr<QProgressDialog> m_dialog;
};
