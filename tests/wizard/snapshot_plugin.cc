// On Windows no library can be preloaded into a program: there the snapshot hook comes in as a
// Qt generic plugin, named in QT_QPA_GENERIC_PLUGINS=quorlinsnapshot and found in the folder
// "generic" of a folder on QT_PLUGIN_PATH. Loading the library schedules the walk
// (snapshot_hook.cc); the object the plugin makes does nothing.
#include <QGenericPlugin>

class SnapshotPlugin : public QGenericPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "snapshot_plugin.json")

 public:
  QObject* create(const QString&, const QString&) override { return new QObject(this); }
};

#include "snapshot_plugin.moc"
