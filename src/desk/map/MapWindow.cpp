// SPDX-License-Identifier: GPL-3.0-or-later
// MapWindow: the Map window: the map, a line about the selected station, Save Image.
#include "map/MapWindow.h"

#include "widgets/SaveFile.h"

#include <QBuffer>
#include <QMenuBar>
#include <QStatusBar>

namespace tamsel {

MapWindow::MapWindow(Notifier& notifier, const QByteArray& userAgent)
    : notifier_(notifier), view_(new MapView(this)),
      tiles_(new TileLayer(TileLayer::defaultCacheFolder(), userAgent, this)) {
    setAttribute(Qt::WA_QuitOnClose, false); // only closing the main window ends the program
    setWindowTitle(tr("Map"));
    setObjectName(QStringLiteral("Map"));
    view_->setBaseMapSource([this] { return &baseMap(); });
    view_->setTileLayer(tiles_);
    setCentralWidget(view_);

    QMenu* file = menuBar()->addMenu(tr("&File"));
    SaveImage1 = file->addAction(tr("Save &Image..."));
    SaveImage1->setShortcut(QKeySequence::Save);
    connect(SaveImage1, &QAction::triggered, this, &MapWindow::SaveImage1Click);
    file->addSeparator();
    Close1 = file->addAction(tr("&Close"));
    Close1->setShortcut(QKeySequence::Close);
    connect(Close1, &QAction::triggered, this, &QWidget::close);

    status_ = new QLabel(this);
    statusBar()->addWidget(status_, 1);
    connect(view_, &MapView::selectionChanged, this, &MapWindow::showSelection);
    chooseFile = [this] {
        return chooseSaveFile(this, QStringLiteral("map.png"), tr("PNG images (*.png)"));
    };
    showSelection();
    resize(900, 640);
    view_->setFocus();
}

const BaseMap& MapWindow::baseMap() {
    if (base_ == nullptr) {
        base_ = std::make_unique<BaseMap>(BaseMap::load(BaseMap::shippedFile()));
        showSelection();
    }
    return *base_;
}

void MapWindow::showSelection() {
    if (base_ != nullptr && !base_->error().isEmpty()) {
        status_->setText(base_->error());
        return;
    }
    const int item = view_->selectedItem();
    status_->setText(
        item < 0 ? tr("Tab selects a station; Home shows them all")
                 : view_->itemTooltip(item).replace(QLatin1Char('\n'), QStringLiteral(" - ")));
}

bool MapWindow::saveImage(const QString& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!view_->renderImage().save(&buffer, "PNG")) {
        notifier_.failure(tr("The map could not be made into an image."));
        return false;
    }
    return saveFile(path, bytes, notifier_);
}

void MapWindow::SaveImage1Click() {
    const QString path = chooseFile();
    if (!path.isEmpty() && saveImage(path)) {
        statusBar()->showMessage(tr("Saved %1").arg(path), 5000);
    }
}

} // namespace tamsel
