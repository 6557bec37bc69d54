#include "graphic.h"

#include <string>

#include "errors.h"
#include "stream.h"

namespace quilmo {

void TGraphic::Assign(TGraphic* source)
{
    if (!source) throw EConvertError(std::string("Cannot assign nothing to a ") + ClassName());
    source->AssignTo(*this);
}

void TGraphic::AssignTo(TGraphic& dest)
{
    throw EConvertError(std::string("Cannot assign a ") + ClassName() + " to a " + dest.ClassName());
}

std::unique_ptr<TGraphic> TGraphic::Clone()
{
    std::unique_ptr<TGraphic> copy = NewEmpty();
    copy->Assign(this);
    return copy;
}

void TGraphic::LoadFromFile(const std::filesystem::path& path)
{
    TFileStream stream(path, TFileMode::fmOpenRead);
    LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::filesystem::path& path)
{
    WriteFileAtomically(path, [this](TStream& stream) { SaveToStream(stream); });
}

void TGraphic::SetModified(bool value)
{
    FModified = value;
    if (value) Changed();
}

void TGraphic::Changed()
{
    if (OnChange) OnChange();
}

}  // namespace quilmo
