<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Localizable</name>
    <message>
        <source>app.about</source>
        <translation>Über Vellora</translation>
    </message>
    <message>
        <source>app.name</source>
        <translation>Vellora</translation>
    </message>
    <message>
        <source>attachments.download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>attachments.no_attachments</source>
        <translation>Keine Anhänge</translation>
    </message>
    <message>
        <source>attachments.no_attachments_title</source>
        <translation>Keine Anhänge</translation>
    </message>
    <message>
        <source>attachments.no_attachments_description</source>
        <translation>Dieses Dokument enthält keine Anhänge. Über die Schaltfläche „Informationen“ sehen Sie seinen Inhalt.</translation>
    </message>
    <message>
        <source>navigation.information</source>
        <translation>Informationen</translation>
    </message>
    <message>
        <source>document.document</source>
        <translation>Dokument</translation>
    </message>
    <message>
        <source>document.document_type</source>
        <translation>Dokumentart</translation>
    </message>
    <message>
        <source>document.id</source>
        <translation>Dokumentnummer</translation>
    </message>
    <message>
        <source>document.issue_date</source>
        <translation>Rechnungsdatum</translation>
    </message>
    <message>
        <source>document.currency</source>
        <translation>Währung</translation>
    </message>
    <message>
        <source>document.ubl_version</source>
        <translation>UBL-Version</translation>
    </message>
    <message>
        <source>party.supplier</source>
        <translation>Lieferant</translation>
    </message>
    <message>
        <source>party.customer</source>
        <translation>Kunde</translation>
    </message>
    <message>
        <source>party.name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>party.registration_name</source>
        <translation>Eingetragener Name</translation>
    </message>
    <message>
        <source>party.company_id</source>
        <translation>Registernummer</translation>
    </message>
    <message>
        <source>party.vat_id</source>
        <translation>USt-IdNr.</translation>
    </message>
    <message>
        <source>party.address</source>
        <translation>Anschrift</translation>
    </message>
    <message>
        <source>party.contact</source>
        <translation>Kontakt</translation>
    </message>
    <message>
        <source>party.phone</source>
        <translation>Telefon</translation>
    </message>
    <message>
        <source>party.email</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>financial.line_extension_amount</source>
        <translation>Summe der Positionen</translation>
    </message>
    <message>
        <source>financial.tax_exclusive_amount</source>
        <translation>Gesamtbetrag ohne Steuer</translation>
    </message>
    <message>
        <source>financial.tax_inclusive_amount</source>
        <translation>Gesamtbetrag mit Steuer</translation>
    </message>
    <message>
        <source>financial.allowance_total_amount</source>
        <translation>Nachlässe</translation>
    </message>
    <message>
        <source>financial.charge_total_amount</source>
        <translation>Zuschläge</translation>
    </message>
    <message>
        <source>financial.prepaid_amount</source>
        <translation>Vorausbezahlter Betrag</translation>
    </message>
    <message>
        <source>financial.rounding_amount</source>
        <translation>Rundungsbetrag</translation>
    </message>
    <message>
        <source>financial.payable_amount</source>
        <translation>Zahlbetrag</translation>
    </message>
    <message>
        <source>sepa.beneficiary</source>
        <translation>Empfänger</translation>
    </message>
    <message>
        <source>sepa.iban</source>
        <translation>IBAN</translation>
    </message>
    <message>
        <source>sepa.bic</source>
        <translation>BIC</translation>
    </message>
    <message>
        <source>sepa.amount</source>
        <translation>Betrag</translation>
    </message>
    <message>
        <source>sepa.payment_reference</source>
        <translation>Verwendungszweck</translation>
    </message>
    <message>
        <source>sepa.scan_instruction</source>
        <translation>Scannen Sie diesen Code mit Ihrer Banking-App, um die Rechnung zu bezahlen.</translation>
    </message>
    <message>
        <source>error.attachment_decode_failed</source>
        <translation>Der Inhalt des Anhangs konnte nicht dekodiert werden.</translation>
    </message>
    <message>
        <source>error.title</source>
        <translation>Ein Fehler ist aufgetreten</translation>
    </message>
    <message>
        <source>error.unsupported_format</source>
        <translation>Dieser Dateityp kann hier nicht angezeigt werden. Sie können ihn aber speichern.</translation>
    </message>
    <message>
        <source>status.loading</source>
        <translation>Wird geladen …</translation>
    </message>
    <message>
        <source>file.save_panel.title</source>
        <translation>Anhang speichern</translation>
    </message>
    <message>
        <source>file.save_panel.message</source>
        <translation>Wählen Sie, wo der Anhang gespeichert werden soll.</translation>
    </message>
    <message>
        <source>Invalid UBL Document</source>
        <translation>Kein gültiges UBL-Dokument</translation>
    </message>
    <message>
        <source>•</source>
        <translation>•</translation>
    </message>
    <message>
        <source>Preview Not Available</source>
        <translation>Keine Vorschau verfügbar</translation>
    </message>
    <message>
        <source>Unable to Display Image</source>
        <translation>Bild kann nicht angezeigt werden</translation>
    </message>
    <message>
        <source>❌ No XML content available</source>
        <translation>❌ Kein XML-Inhalt vorhanden</translation>
    </message>
    <message>
        <source>Check if the file loaded correctly</source>
        <translation>Prüfen Sie, ob die Datei richtig geladen wurde</translation>
    </message>
    <message>
        <source>Loading text content...</source>
        <translation>Textinhalt wird geladen …</translation>
    </message>
    <message>
        <source>Loading more content...</source>
        <translation>Weiterer Inhalt wird geladen …</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>Ö&amp;ffnen …</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>Clear Menu</source>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>S&amp;peichern</translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation>Speichern &amp;unter …</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Toggle Sidebar</source>
        <translation>Seitenleiste ein/aus</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>A viewer for UBL invoices and credit notes, built with Qt, libxml2, ICU and libqrencode; icons from KDE Breeze.</source>
        <translation>Ein Betrachter für UBL-Rechnungen und -Gutschriften, gebaut mit Qt, libxml2, ICU und libqrencode; Symbole aus KDE Breeze.</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be opened because there is no such file.</source>
        <translation>Die Datei „%1“ konnte nicht geöffnet werden, weil es sie nicht gibt.</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be opened because it isn’t a file.</source>
        <translation>Die Datei „%1“ konnte nicht geöffnet werden, weil sie keine Datei ist.</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be opened because it couldn’t be read.</source>
        <translation>Die Datei „%1“ konnte nicht geöffnet werden, weil sie nicht gelesen werden konnte.</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be opened because it isn’t in the correct format.</source>
        <translation>Die Datei „%1“ konnte nicht geöffnet werden, weil sie nicht das richtige Format hat.</translation>
    </message>
    <message>
        <source>The document “%1” couldn’t be saved.</source>
        <translation>Das Dokument „%1“ konnte nicht gesichert werden.</translation>
    </message>
    <message>
        <source>UBL and XML documents (*.xml *.ubl)</source>
        <translation>UBL- und XML-Dokumente (*.xml *.ubl)</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>commandline.description</source>
        <translation>Zeigt elektronische UBL-Rechnungen und -Gutschriften an.</translation>
    </message>
    <message>
        <source>commandline.files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>commandline.files_description</source>
        <translation>Zu öffnende Rechnungen und Gutschriften, je ein Fenster.</translation>
    </message>
    <message>
        <source>commandline.files_syntax</source>
        <translation>[Datei…]</translation>
    </message>
    <message>
        <source>sepa.reason.credit_note</source>
        <translation>Dies ist eine Gutschrift: Der Lieferant schuldet Ihnen den Betrag, es ist nichts zu überweisen.</translation>
    </message>
    <message>
        <source>sepa.reason.not_in_euro</source>
        <translation>Die Beträge lauten nicht auf Euro; ein SEPA-Code überweist nur Euro.</translation>
    </message>
    <message>
        <source>sepa.reason.no_payment_means</source>
        <translation>Das Dokument nennt keine Zahlungsart.</translation>
    </message>
    <message>
        <source>sepa.reason.no_payment_account</source>
        <translation>Die erste Zahlungsart nennt kein Konto (IBAN).</translation>
    </message>
    <message>
        <source>sepa.reason.no_supplier_name</source>
        <translation>Der Lieferant hat keinen Namen, an den gezahlt werden kann.</translation>
    </message>
    <message>
        <source>sepa.reason.no_payable_amount</source>
        <translation>Das Dokument nennt keinen zu zahlenden Betrag.</translation>
    </message>
    <message>
        <source>sepa.reason.amount_out_of_range</source>
        <translation>Der zu zahlende Betrag liegt nicht zwischen 0,01 und 999.999.999,99 Euro.</translation>
    </message>
    <message>
        <source>file.save_panel.csv</source>
        <translation>Kommagetrennter Text</translation>
    </message>
    <message>
        <source>file.save_error.title</source>
        <translation>Anhang konnte nicht gespeichert werden</translation>
    </message>
    <message>
        <source>file.save_error.no_data</source>
        <translation>„%1“ enthält keinen lesbaren Inhalt, daher gibt es nichts zu speichern.</translation>
    </message>
    <message>
        <source>file.save_error.write</source>
        <translation>„%1“ konnte nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>preview.zoom_in</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>preview.zoom_out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>preview.fit_width</source>
        <translation>An Breite anpassen</translation>
    </message>
    <message numerus="yes">
        <source>preview.page_count</source>
        <translation>
            <numerusform>%n Seite</numerusform>
            <numerusform>%n Seiten</numerusform>
        </translation>
    </message>
    <message>
        <source>preview.pdf_unreadable</source>
        <translation>PDF kann nicht angezeigt werden</translation>
    </message>
    <message>
        <source>preview.pdf_unreadable_message</source>
        <translation>Das Dokument ist beschädigt, geschützt oder kein PDF. Sie können es trotzdem mit „Herunterladen“ speichern.</translation>
    </message>
    <message>
        <source>preview.open_with_default</source>
        <translation>Mit Standardanwendung öffnen</translation>
    </message>
    <message>
        <source>preview.open_failed</source>
        <translation>Anhang konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>preview.open_failed_message</source>
        <translation>Es konnte keine Anwendung gestartet werden, die „%1“ anzeigt.</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Raw</source>
        <translation>Rohtext</translation>
    </message>
    <message>
        <source>Tree</source>
        <translation>Baum</translation>
    </message>
    <message>
        <source>Find…</source>
        <translation>Suchen …</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Previous Match</source>
        <translation>Vorheriger Treffer</translation>
    </message>
    <message>
        <source>Next Match</source>
        <translation>Nächster Treffer</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Keine Treffer</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>XML Source</source>
        <translation>XML-Quelltext</translation>
    </message>
    <message>
        <source>XML Tree View</source>
        <translation>XML-Baumansicht</translation>
    </message>
    <message>
        <source>Parsing XML...</source>
        <translation>XML wird gelesen …</translation>
    </message>
    <message>
        <source>XML Parsing Error</source>
        <translation>XML-Lesefehler</translation>
    </message>
    <message>
        <source>%1 nodes</source>
        <translation>%1 Knoten</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be opened because it is too large.</source>
        <translation>Die Datei „%1“ konnte nicht geöffnet werden, weil sie zu groß ist.</translation>
    </message>
    <message>
        <source>This file is damaged. Only the part that could be read is shown.</source>
        <translation>Diese Datei ist beschädigt. Es wird nur der Teil gezeigt, der gelesen werden konnte.</translation>
    </message>
    <message>
        <source>First error: %1</source>
        <translation>Erster Fehler: %1</translation>
    </message>
</context>
</TS>
