#pragma once
// The one place where kestrelview shows a modal message box or a standard file
// or print dialog. Each entry point has a hook that tests replace, so no modal
// dialog can block a headless run. User-interface thread only.
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>

class QPrinter;
class QWidget;

struct OpenFileRequest {
    QString caption;
    QString directory;
    QString filter;       // Qt filter syntax: "ASF File (*.asf)"
    bool multiple = false;
};

struct SaveFileRequest {
    QString caption;
    QString directory;
    QString filter;
    QString defaultSuffix;  // without the dot
};

class UiSeam {
public:
    using QuestionHook = std::function<QMessageBox::StandardButton(
        QWidget* parent, const QString& caption, const QString& text,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)>;
    using MessageHook = std::function<void(QWidget* parent, const QString& caption, const QString& text)>;
    using OpenHook = std::function<QStringList(QWidget* parent, const OpenFileRequest& request)>;
    using SaveHook = std::function<QString(QWidget* parent, const SaveFileRequest& request)>;
    using PrintHook = std::function<bool(QWidget* parent, QPrinter* printer)>;

    // A question with a question icon; returns the button chosen.
    static QMessageBox::StandardButton Ask(QWidget* parent, const QString& caption, const QString& text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton);
    // A warning the user must acknowledge (a file error, a failed move).
    static void Warn(QWidget* parent, const QString& caption, const QString& text);
    // Files chosen in the open dialog; empty when cancelled.
    static QStringList OpenFiles(QWidget* parent, const OpenFileRequest& request);
    // The path chosen in the save dialog (the dialog confirms replacing); empty when cancelled.
    static QString SaveFile(QWidget* parent, const SaveFileRequest& request);
    // Shows the print dialog for the printer; true when the user confirmed.
    static bool Print(QWidget* parent, QPrinter* printer);

    static QuestionHook questionHook;
    static MessageHook warnHook;
    static OpenHook openHook;
    static SaveHook saveHook;
    static PrintHook printHook;
    // Clears every hook (tests call it in cleanup).
    static void ResetHooks();
};
