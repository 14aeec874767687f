// The result window's "Profile" page: one span's loaded wire, repainted to
// the widget's size.
#pragma once

#include "uLoadedProfileView.h"

#include <QWidget>

#include <optional>

namespace corvadel {

class TLoadedProfileWidget : public QWidget
{
public:
    explicit TLoadedProfileWidget(QWidget *parent = nullptr);

    // Nothing shows a note instead of a drawing.
    void SetScene(std::optional<TLoadedProfileScene> scene);
    const std::optional<TLoadedProfileScene> &Scene() const { return FScene; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::optional<TLoadedProfileScene> FScene;
};

} // namespace corvadel
