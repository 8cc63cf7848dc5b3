// The library's only code: its content is the embedded schema listing.
namespace mt {
int kLatestSchemaLibrary = 0;
}
