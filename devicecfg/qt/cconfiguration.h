#pragma once
// The camera configuration dialog: edits one "setup.ini" or "setup.bak" that
// the user picks. Modal; UI thread only.
#include <QDialog>
#include <QString>

// The configuration command: asks for the camera's settings file (starting in
// the program folder) and shows the dialog on it.
void ShowConfigurationDialog(QWidget* owner, const QString& moduleDirectory);
