#pragma once

#include <QPointer>
#include <QWidget>

class DataSource;
class MessageService;
class QLabel;

// The visible navigation bar of a data source: first, previous, next and last around its caption.
// Moves stop at the first and at the last row, as the forms' data sources were set to.
class DataSourceBar : public QWidget {
    Q_OBJECT
public:
    explicit DataSourceBar(DataSource& source, QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    QString caption() const;

    // Where a move that the database refuses (the row in edit cannot be written) is reported.
    void setMessageService(MessageService* messages) { m_messages = messages; }

private:
    enum class Move { First, Previous, Next, Last };
    void addButton(const QString& name, const QString& text, Move move);
    void move(Move move);

    QPointer<DataSource> m_source;
    MessageService* m_messages = nullptr;
    QLabel* m_caption;
};
