#include "plugins/basalt/OptionsDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>

namespace basalt {

namespace {
struct FormatRow {
    Container container;
    const char* label;
};
constexpr FormatRow kFormats[] = {
    {Container::Mp4, "MP4 - H.264 video, AAC audio"},
    {Container::Avi, "AVI - uncompressed 32-bit video, 16-bit PCM audio"},
    {Container::Mkv, "MKV - FFV1 video, FLAC audio (lossless)"},
};
struct QualityRow {
    Quality quality;
    const char* label;
};
constexpr QualityRow kQualities[] = {
    {Quality::Low, "Low (small file)"},
    {Quality::Medium, "Medium"},
    {Quality::High, "High"},
};
struct SpeedRow {
    Speed speed;
    const char* label;
};
constexpr SpeedRow kSpeeds[] = {
    {Speed::Automatic, "Automatic (thorough up to CIF, fast above)"},
    {Speed::Fast, "Fast"},
    {Speed::Thorough, "Thorough (smaller file, slower)"},
};
}  // namespace

std::optional<Choice> AskForOptions(const Choice& current) {
    // The program's window handle is not a Qt type on this side of the
    // boundary; the active window is the editor's while it waits for us.
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("basalt - Output Options"));
    auto* layout = new QFormLayout(&dialog);

    auto* format = new QComboBox(&dialog);
    format->setObjectName(QStringLiteral("format"));
    for (const FormatRow& row : kFormats) {
        format->addItem(QString::fromUtf8(row.label), int(row.container));
        if (row.container == current.container) format->setCurrentIndex(format->count() - 1);
    }
    auto* quality = new QComboBox(&dialog);
    quality->setObjectName(QStringLiteral("quality"));
    for (const QualityRow& row : kQualities) {
        quality->addItem(QString::fromUtf8(row.label), int(row.quality));
        if (row.quality == current.quality) quality->setCurrentIndex(quality->count() - 1);
    }
    auto* speed = new QComboBox(&dialog);
    speed->setObjectName(QStringLiteral("speed"));
    for (const SpeedRow& row : kSpeeds) {
        speed->addItem(QString::fromUtf8(row.label), int(row.speed));
        if (row.speed == current.speed) speed->setCurrentIndex(speed->count() - 1);
    }
    layout->addRow(QStringLiteral("Format:"), format);
    layout->addRow(QStringLiteral("Quality:"), quality);
    layout->addRow(QStringLiteral("H.264 Speed:"), speed);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addRow(buttons);

    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return Choice{Container(format->currentData().toInt()), Quality(quality->currentData().toInt()),
                  Speed(speed->currentData().toInt())};
}

}  // namespace basalt
