#include "uiseam.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

UiSeam::QuestionHook UiSeam::questionHook;
UiSeam::MessageHook UiSeam::warnHook;
UiSeam::OpenHook UiSeam::openHook;
UiSeam::SaveHook UiSeam::saveHook;
UiSeam::PrintHook UiSeam::printHook;

QMessageBox::StandardButton UiSeam::Ask(QWidget* parent, const QString& caption, const QString& text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    if (questionHook)
        return questionHook(parent, caption, text, buttons, defaultButton);
    QMessageBox box(QMessageBox::Question, caption, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void UiSeam::Warn(QWidget* parent, const QString& caption, const QString& text)
{
    if (warnHook) {
        warnHook(parent, caption, text);
        return;
    }
    QMessageBox::warning(parent, caption, text);
}

QStringList UiSeam::OpenFiles(QWidget* parent, const OpenFileRequest& request)
{
    if (openHook)
        return openHook(parent, request);
    QFileDialog dialog(parent, request.caption, request.directory, request.filter);
    dialog.setFileMode(request.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString UiSeam::SaveFile(QWidget* parent, const SaveFileRequest& request)
{
    if (saveHook)
        return saveHook(parent, request);
    QFileDialog dialog(parent, request.caption, request.directory, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

bool UiSeam::Print(QWidget* parent, QPrinter* printer)
{
    if (printHook)
        return printHook(parent, printer);
    QPrintDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void UiSeam::ResetHooks()
{
    questionHook = nullptr;
    warnHook = nullptr;
    openHook = nullptr;
    saveHook = nullptr;
    printHook = nullptr;
}
