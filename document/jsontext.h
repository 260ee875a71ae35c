#pragma once
// The text of a JSON object written member by member, byte for byte as
// QJsonDocument::toJson(QJsonDocument::Indented) writes the same object:
//   open() key() string() ... key() open() ... close() close() --> bytes
// Each level is indented by four spaces; texts are written as UTF-8 and escaped as Qt escapes
// them. The writer keeps no tree: the caller gives the members of each object in the order of
// their keys' UTF-16 code units, the order in which a QJsonObject (and a QMap) keeps them.
// Saving a calculation this way does a small part of the work of building a QJsonObject first.

#include <QByteArray>
#include <QStringView>

namespace vardo::document {

class JsonText {
  public:
    JsonText();

    // Opens an object: the whole text's, or the value of the key last given.
    void open();
    void close();
    // The key of the next member; its value follows.
    void key(QStringView name);
    void string(QStringView text);
    void number(qint64 n);
    void boolean(bool on);
    void null();
    // A member whose value is a text.
    void member(QStringView name, QStringView text) {
        key(name);
        string(text);
    }

    // The whole text once the outermost object is closed: it ends with a line break, as Qt's.
    QByteArray take();

  private:
    // Writes the text's escaped UTF-8 at out, at most six bytes for each UTF-16 unit; returns
    // where it ended.
    static char* escape(char* out, QStringView text);

    QByteArray bytes_;
    int depth_ = 0;
    bool first_ = true;
};

}  // namespace vardo::document
