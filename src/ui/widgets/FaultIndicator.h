#pragma once
// One fault or status lamp: the window's red image while faulted, its green
// image while clear, and a neutral grey lamp until a state is known. Scripts
// and tests read the state from the properties "faulted" (follows the image)
// and "known", never from pixels. A lamp is a button: a click on a fault's
// lamp shows that fault's statistics (clicked()); summary lamps are not
// connected to anything.

#include <QAbstractButton>
#include <QPixmap>

class FaultIndicator : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(bool faulted READ isFaulted NOTIFY stateChanged)
    Q_PROPERTY(bool known READ isKnown NOTIFY stateChanged)

public:
    explicit FaultIndicator(const QString& name, QWidget* parent = nullptr);

    // The images to show (the window's redButton and greenButton). Without
    // them the lamp is drawn in plain red and green.
    void setImages(const QPixmap& faultedImage, const QPixmap& clearImage);

    void setFaulted(bool faulted);
    // Back to grey: the state is not known (nothing read since the part came).
    void setUnknown();

    bool isFaulted() const { return known && faulted; }
    bool isKnown() const { return known; }

    QSize sizeHint() const override;

signals:
    void stateChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap redImage, greenImage;
    bool known = false;
    bool faulted = false;
};
