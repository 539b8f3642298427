#pragma once
// "Editing Folder Name" / "Editing Web Site Address": a link's description,
// its address (web sites only) and its note.
#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TDlgEditURL : public QDialog {
    Q_OBJECT
public:
    static constexpr int kFolder = 0;
    static constexpr int kWebSite = 1;

    explicit TDlgEditURL(QWidget* parent = nullptr);

    // kind: kFolder (no address) or kWebSite.
    void Init(int kind, const QString& description, const QStringList& note, const QString& url);

    QLabel* LabelDesc;
    QLineEdit* EditDesc;
    QLabel* LabelURL;
    QLineEdit* EditURL;
    QLabel* LabelNote;
    QPlainTextEdit* MemoNote;
    QPushButton* ButtonOK;
    QPushButton* ButtonCancel;

    QString Description() const;
    QString URL() const;
    QStringList NoteLines() const;

    void ButtonOKClick();
};
