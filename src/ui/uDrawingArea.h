// The drawing of the shown sequence: a plan diagram or the side view of one
// span, drawn again at the widget's current size and pixel ratio.
#pragma once

#include <QImage>
#include <QWidget>

namespace corvadel {

class TGlobalSetting;
class TWireConfigurationList;

class TDrawingArea : public QWidget {
    Q_OBJECT
public:
    TDrawingArea(const TGlobalSetting &settings, QWidget *parent = nullptr);

    void SetProject(TWireConfigurationList *project) { Project = project; }
    // mode 0..2: plan diagram; -1: the profile of `span`; sequence 0 clears.
    void Show(int sequence, int mode, int span);
    void Clear() { Show(0, 0, 0); }
    // Shown, centred, while no sequence is drawn; a null image shows nothing.
    void SetStartPicture(const QImage &picture);
    QSize sizeHint() const override { return {586, 240}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const TGlobalSetting &Settings;
    TWireConfigurationList *Project = nullptr;
    int Sequence = 0;
    int Mode = 0;
    int Span = 0;
    QImage StartPicture;
};

} // namespace corvadel
