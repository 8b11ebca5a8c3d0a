#pragma once

#include <QPixmap>
#include <QWidget>

namespace scanbench {

// A fixed-size picture of the window (logo, gutter markers, flag markers,
// activity indicator). The owner draws the picture off-screen; painting only
// copies it.
class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent);

    void SetPicture(const QPixmap& picture);
    [[nodiscard]] const QPixmap& Picture() const { return Shown; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap Shown;
};

} // namespace scanbench
