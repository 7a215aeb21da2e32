// The pictures live in the Qt resource system under ":/"; this unit only anchors the library.
namespace quizzard_resources_anchor {}
