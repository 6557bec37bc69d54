#pragma once
// A preview of the batch window: one picture centred, made smaller with its proportions kept
// when it does not fit.

#include <QWidget>
#include <memory>

namespace quilmo {

class TBitmap;

class TBatchPreview : public QWidget {
    Q_OBJECT
public:
    TBatchPreview(const char* name, const QString& caption, QWidget* parent);
    ~TBatchPreview() override;

    // Shows a copy of picture (24 bits); none: empty.
    void SetPicture(const TBitmap* picture);
    bool HasPicture() const { return FPicture != nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // At most the size a preview can usefully show, so large pictures cost little to keep.
    std::unique_ptr<TBitmap> FPicture;
};

}  // namespace quilmo
