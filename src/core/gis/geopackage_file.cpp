#include "core/gis/geopackage_file.h"

#include "core/gis/gdal_runtime.h"

#include <system_error>

namespace ft::gis {
namespace {

constexpr const char* kCannotWrite =
    QT_TRANSLATE_NOOP("findTavla", "Cannot write the GeoPackage %1");

QString pathOf(const std::filesystem::path& file)
{
    return QString::fromStdString(file.string());
}

// The name GDAL creates the file under; the extension is the one the GPKG
// driver expects.
platform::ReplacementFile reservedBeside(const std::filesystem::path& destination)
{
    try {
        return platform::ReplacementFile(destination, platform::ReplacementFile::Writer::ByName,
                                         ".gpkg");
    } catch (const std::system_error& error) {
        throw ExportError(
            platform::Message(QT_TRANSLATE_NOOP("findTavla", "Cannot create the GeoPackage %1"),
                              {pathOf(destination)}),
            error.code().message());
    }
}

} // namespace

OGRFeatureUniquePtr LayerWriter::newFeature() const
{
    return OGRFeatureUniquePtr(OGRFeature::CreateFeature(m_layer->GetLayerDefn()));
}

void LayerWriter::add(OGRFeature& feature)
{
    if (m_layer->CreateFeature(&feature) != OGRERR_NONE)
        throw ExportError(
            platform::Message(QT_TRANSLATE_NOOP("findTavla", "Cannot write to layer %1"),
                              {QString::fromStdString(name())}),
            lastGdalError());
    ++m_count;
    if (feature.GetGeometryRef() == nullptr && m_layer->GetGeomType() != wkbNone)
        ++m_withoutGeometry;
}

GeoPackageFile::GeoPackageFile(std::filesystem::path destination)
    : m_destination(std::move(destination)), m_replacement(reservedBeside(m_destination))
{
    registerGdalDrivers();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GPKG");
    if (driver == nullptr)
        throw ExportError(platform::Message(
            QT_TRANSLATE_NOOP("findTavla", "This GDAL cannot write GeoPackage files")));
    m_dataset.reset(
        driver->Create(m_replacement.temporaryPath().c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!m_dataset)
        fail(QT_TRANSLATE_NOOP("findTavla", "Cannot create the GeoPackage %1"));
}

GeoPackageFile::~GeoPackageFile()
{
    // Closed before the replacement drops the unfinished file.
    m_dataset.reset();
}

void GeoPackageFile::fail(const char* marked, const QStringList& more) const
{
    // GDAL's own text follows as a detail paragraph, unchanged.
    throw ExportError(
        platform::Message(marked,
                          QStringList{QString::fromStdString(m_destination.string())} + more),
        lastGdalError());
}

LayerWriter GeoPackageFile::createLayer(const std::string& name, OGRSpatialReference* srs,
                                        OGRwkbGeometryType geometry,
                                        std::span<const LayerField> fields)
{
    OGRLayer* layer = m_dataset->CreateLayer(name.c_str(), srs, geometry, nullptr);
    if (layer == nullptr)
        fail(QT_TRANSLATE_NOOP("findTavla", "Cannot create the GeoPackage %1 (layer %2)"),
             {QString::fromStdString(name)});
    for (const LayerField& column : fields) {
        OGRFieldDefn field(column.name, column.type);
        if (layer->CreateField(&field) != OGRERR_NONE)
            fail(QT_TRANSLATE_NOOP("findTavla",
                                   "Cannot create the GeoPackage %1 (layer %2, column %3)"),
                 {QString::fromStdString(name), QString::fromUtf8(column.name)});
    }
    return LayerWriter(*layer);
}

void GeoPackageFile::beginWriting()
{
    if (m_dataset->StartTransaction() != OGRERR_NONE)
        fail(kCannotWrite);
}

void GeoPackageFile::finish()
{
    if (m_dataset->CommitTransaction() != OGRERR_NONE)
        fail(kCannotWrite);
    CPLErrorReset();
    m_dataset.reset();
    // Closing writes what the driver kept back (the spatial indexes).
    if (CPLGetLastErrorType() >= CE_Failure)
        fail(kCannotWrite);
    try {
        m_replacement.commit();
    } catch (const std::system_error& error) {
        throw ExportError(
            platform::Message(
                QT_TRANSLATE_NOOP("findTavla", "Cannot put the GeoPackage %1 in place"),
                {pathOf(m_destination)}),
            error.code().message());
    }
}

} // namespace ft::gis
