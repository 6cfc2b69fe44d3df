#pragma once
// The camera configuration dialog: edits one "setup.ini" or "setup.bak" that
// the user picks. It reads the file when it opens (removing what a killed
// write left beside it) and rewrites exactly that file when the user applies;
// a file that could not be written is reported and the dialog stays open.
// Modal; UI thread only.
#include "devicesettings.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;
class QTimeEdit;

class Cconfiguration : public QDialog {
    Q_OBJECT
public:
    // Control and text identifiers of the dialog.
    enum ControlId {
        kApply = 1,
        kClose = 2,
        kBeforeEvent = 1040,
        kEventLength = 1041,
        kVideoLength = 1042,
        kLimitX = 1043,
        kLimitY = 1044,
        kLimitZ = 1045,
        kNoOverlay = 1053,
        kOverlay = 1054,
        kOverlayVersion = 1055,
        kTimestampOnly = 1056,
        kTimeZone = 1066,
        kDate = 1071,
        kTime = 1073,
        kSetTime = 1074,
        kMirror = 1082,
    };

    explicit Cconfiguration(QWidget* parent = nullptr);

    void SetFilePath(const QString& path) { m_filePath = path; }
    QString FilePath() const { return m_filePath; }

    // The time-zone entries in list order; index i stands for i − 12 hours.
    static QStringList TimeZoneEntries();

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void OnInitDialog();
    void RefreshEdits();
    bool TakeValues();
    void SetTimeToggled(bool on);

    QString m_filePath;
    bool m_initialised = false;
    // Members exchanged with the six validated edits.
    qint32 m_videoEventLength = 300;
    qint32 m_beforeVideoEvent = 60;
    qint32 m_videoLength = 600;
    float m_limitX = 1.0f;
    float m_limitY = 1.0f;
    float m_limitZ = 2.0f;
    // TIME_ZONE as read, written back when the list has no selection.
    qint32 m_timeZoneRead = 8;

    QLineEdit* m_edits[6] = {};
    QRadioButton* m_showString[4] = {};
    QComboBox* m_timeZone = nullptr;
    QCheckBox* m_setTime = nullptr;
    QCheckBox* m_mirror = nullptr;
    QDateEdit* m_date = nullptr;
    QTimeEdit* m_time = nullptr;
};

// The configuration command: asks for the camera's settings file (starting in
// startFolder: the folder of the listed card, else the program folder) and
// shows the dialog on it.
void ShowConfigurationDialog(QWidget* owner, const QString& startFolder);
