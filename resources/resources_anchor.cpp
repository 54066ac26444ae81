// Keeps the resource object library non-empty before any .qrc exists.
namespace halvix_resources_anchor {
int anchor = 0;
}
