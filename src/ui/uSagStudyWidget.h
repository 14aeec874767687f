// The result window's "SAG Study" page: the chart of the shown sequence,
// repainted to the widget's size.
#pragma once

#include "uSagStudy.h"

#include <QWidget>

#include <optional>
#include <string>

namespace corvadel {

class TSagStudyWidget : public QWidget
{
public:
    explicit TSagStudyWidget(QWidget *parent = nullptr);

    void SetStudy(TSagStudy study, std::string title);
    const std::optional<TSagStudy> &Study() const { return FStudy; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::optional<TSagStudy> FStudy;
    std::string Title;
};

} // namespace corvadel
