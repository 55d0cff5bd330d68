"""Die Seiten des Parameterbereichs, der Rechteckfelder und ihrer Schaltflächen."""

PAGES = {}

PAGES[494] = """
Der Parameterbereich zeigt die Variablen des aktuellen Clips oder seines aktuellen
Effekts, jeweils eine Gruppe: eine Zeile je Variable mit einem Regler (oder einem
Ein/Aus-Schalter) und einer Schlüsselbild-Schaltfläche auf jeder Seite, darunter
eine Leiste mit {{Vorheriges Schlüsselbild|cc.615}}, der
{{Gruppenauswahl|cc.191}} und {{Nächstes Schlüsselbild|cc.614}}.

- Ziehen Sie in einer Zeile, um den Wert zur aktuellen Zeit zu setzen; dort entsteht
  ein Schlüsselbild. Eine Zeile, deren Variable genau zur aktuellen Zeit ein
  Schlüsselbild hat, wird markiert gezeichnet.
- Doppelklicken Sie auf eine Zeile, um einen genauen Wert einzutippen.
- Ein Rechtsklick auf eine Zeile bietet Kopieren, Einfügen, Löschen (das
  Schlüsselbild zur aktuellen Zeit), Vorherige oder folgende Werte löschen, Wert
  von Anfang bis Ende (ein Wert für alle Zeit) sowie Standard, Minimum und Maximum.
- Drücken Sie F1 über einer Zeile für die Seite dieser Variablen; unten stehen ihr
  Bereich, ihr Standardwert und ihre Schlüsselbilder.

Änderungen stehen aus bis [[Übernehmen|342]]; [[Rückgängig|343]] nimmt sie
zurück. Siehe [[Vantrel-Variablenverwaltung|386]].
"""

PAGES[191] = """
Klicken Sie hier, um eine andere Gruppe der Variablen des aktuellen Clips oder
Effekts zu sehen: Ein Menü listet die Gruppen (für einen Clip sein
[[Quellrechteck|422]], [[Zielrechteck|423]], [[Clipvariablen|425]] ...; für einen
Effekt sein [[Effektrechteck|424]], seine [[Effektschalter|521]] und seine eigenen
Werte). Das Menü bietet auch Einstellungen kopieren, das jeden Wert der gezeigten
Gruppe kopiert, und Einstellungen einfügen, das sie bei einem anderen Clip oder
Effekt zu dessen aktueller Zeit setzt: der schnellste Weg, zwei Clips dasselbe
Aussehen zu geben.
"""

PAGES[610] = """
Die Schaltfläche am rechten Ende der Zeile einer Variablen: setzt die aktuelle Zeit
vorwärts auf das nächste Schlüsselbild dieser Variablen. Hat sie kein späteres,
bleibt die Zeit stehen.
"""

PAGES[611] = """
Die Schaltfläche am linken Ende der Zeile einer Variablen: setzt die aktuelle Zeit
zurück auf das vorherige Schlüsselbild dieser Variablen. Hat sie kein früheres,
bleibt die Zeit stehen.
"""

PAGES[614] = """
Setzt die aktuelle Zeit vorwärts auf das nächste Schlüsselbild irgendeiner Variablen
des gezeigten Clips oder Effekts: so besuchen Sie jedes Schlüsselbild der Reihe nach
und prüfen oder korrigieren es. Siehe [[Vorheriges Schlüsselbild|615]].
"""

PAGES[615] = """
Setzt die aktuelle Zeit zurück auf das vorherige Schlüsselbild irgendeiner Variablen
des gezeigten Clips oder Effekts. Siehe [[Nächstes Schlüsselbild|614]].
"""

PAGES[612] = """
Setzt die aktuelle Zeit vorwärts auf das nächste Schlüsselbild des Rechtecks, das
dieses Feld zeigt (die Schlüsselbilder seiner linken Kante). Siehe
[[Rechteckoptionen|375]].
"""

PAGES[613] = """
Setzt die aktuelle Zeit zurück auf das vorherige Schlüsselbild des Rechtecks, das
dieses Feld zeigt. Siehe [[Rechteckoptionen|375]].
"""

PAGES[375] = """
Ein Rechteckfeld bearbeitet ein Rechteck des aktuellen Clips oder Effekts: sein
[[Quell-|422]], [[Ziel-|423]] oder [[Effektrechteck|424]]. Die Schaltflächen für
die vier Kanten und die acht Richtungen verschieben es oder ändern seine Größe; die
Schlüsselbild-Schaltflächen besuchen seine Schlüsselbilder; jede Änderung wird als
Schlüsselbild zur aktuellen Zeit gesetzt.

Die Schaltfläche {{Rechteckoptionen|r1.375}} öffnet ein Menü:
- Rechteck zurücksetzen: zurück auf das ganze Bild (0, 0, 1, 1).
- Bearbeiten: ein Rechteck kopieren und einfügen (Seitenverhältnis einfügen
  übernimmt nur seine Form), zum vorherigen oder nächsten Schlüsselbild gehen, von
  Anfang bis Ende verwenden (das aktuelle Rechteck für alle Zeit),
  Schlüsselbilder löschen.
- Einrasten: an der linken, rechten, oberen oder unteren Kante, zur Mitte, auf die
  Breite, auf die Höhe.
- Nach außen: knapp hinter eine Kante oder Ecke des Bildes, Anfang oder Ende eines
  Einflugs.
Ein Einflug mit drei Klicks: Setzen Sie zur Endzeit das Rechteck dorthin, wo es
landen soll; gehen Sie zur Startzeit und wählen Sie Nach außen, hinter die linke
Kante.
"""

PAGES[616] = """
Der Farbstreifen oben im Feld eines Farb-Keys ([[RGB Key|28]], [[Chroma Key|29]]
und ihre Verwandten sowie die [[Blase|419]]). Er zeigt die Key-Farbe. Drücken Sie
die linke Maustaste darauf und ziehen Sie mit gedrückter Taste auf die Vorschau:
Die Farbe unter dem Zeiger wird während der Bewegung zur Key-Farbe, so dass Sie
zusehen können, wie der Hintergrund verschwindet. Lassen Sie die Taste an der
besten Stelle los.
"""

PAGES[386] = """
Jede Eigenschaft eines Clips oder Effekts ist in Vantrel eine Variable: eine Zahl
mit Minimum, Maximum und Standardwert, die Schlüsselbilder haben kann. Zwischen zwei
Schlüsselbildern ändert sich der Wert gleichmäßig vom einen zum anderen (Schalter
springen beim Schlüsselbild); vor dem ersten und nach dem letzten Schlüsselbild
bleibt er, wie er dort ist. Variablen sind in Gruppen geordnet (siehe die
[[Gruppenauswahl|191]]) und werden im [[Parameterbereich|494]], an den
[[Eckgriffen|497]] der Vorschau, in den [[Rechteckfeldern|375]] und als Kurven
bearbeitet.

Skripte und Tutorials erreichen sie über ihren Namen, zum Beispiel cc.IDS_DST_L für
die linke Kante des Zielrechtecks des aktuellen Clips oder cv.IDS_PROGRESS für den
Fortschritt seines aktuellen Videoeffekts. Die Themen dieser Hilfe zu Variablen:
[[Videoeffekte|605]], [[Audioeffekte|606]], [[Clipvariablen|425]].
"""

PAGES[487] = """
Ein Wert ohne eigene Seite, etwa eine Variable, die ein Plugin-Effekt deklariert.
Wie jede Variable hat er ein Minimum, ein Maximum und einen Standardwert, die unten
stehen, und kann Schlüsselbilder haben: siehe
[[Vantrel-Variablenverwaltung|386]].
"""
