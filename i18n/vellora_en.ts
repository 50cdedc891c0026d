<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Localizable</name>
    <message>
        <source>app.about</source>
        <translation>About Vellora</translation>
    </message>
    <message>
        <source>app.name</source>
        <translation>Vellora</translation>
    </message>
    <message>
        <source>attachments.download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>attachments.no_attachments</source>
        <translation>No attachments</translation>
    </message>
    <message>
        <source>attachments.no_attachments_title</source>
        <translation>No Attachments</translation>
    </message>
    <message>
        <source>attachments.no_attachments_description</source>
        <translation>This document does not contain any attachments. Use the Information button to see its contents.</translation>
    </message>
    <message>
        <source>navigation.information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>document.document</source>
        <translation>Document</translation>
    </message>
    <message>
        <source>document.document_type</source>
        <translation>Document type</translation>
    </message>
    <message>
        <source>document.id</source>
        <translation>Document number</translation>
    </message>
    <message>
        <source>document.issue_date</source>
        <translation>Issue date</translation>
    </message>
    <message>
        <source>document.currency</source>
        <translation>Currency</translation>
    </message>
    <message>
        <source>document.ubl_version</source>
        <translation>UBL version</translation>
    </message>
    <message>
        <source>party.supplier</source>
        <translation>Supplier</translation>
    </message>
    <message>
        <source>party.customer</source>
        <translation>Customer</translation>
    </message>
    <message>
        <source>party.name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>party.registration_name</source>
        <translation>Registered name</translation>
    </message>
    <message>
        <source>party.company_id</source>
        <translation>Company ID</translation>
    </message>
    <message>
        <source>party.vat_id</source>
        <translation>VAT ID</translation>
    </message>
    <message>
        <source>party.address</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>party.contact</source>
        <translation>Contact</translation>
    </message>
    <message>
        <source>party.phone</source>
        <translation>Phone</translation>
    </message>
    <message>
        <source>party.email</source>
        <translation>Email</translation>
    </message>
    <message>
        <source>financial.line_extension_amount</source>
        <translation>Sum of line amounts</translation>
    </message>
    <message>
        <source>financial.tax_exclusive_amount</source>
        <translation>Total without tax</translation>
    </message>
    <message>
        <source>financial.tax_inclusive_amount</source>
        <translation>Total with tax</translation>
    </message>
    <message>
        <source>financial.allowance_total_amount</source>
        <translation>Allowances</translation>
    </message>
    <message>
        <source>financial.charge_total_amount</source>
        <translation>Charges</translation>
    </message>
    <message>
        <source>financial.prepaid_amount</source>
        <translation>Prepaid amount</translation>
    </message>
    <message>
        <source>financial.rounding_amount</source>
        <translation>Rounding amount</translation>
    </message>
    <message>
        <source>financial.payable_amount</source>
        <translation>Amount due</translation>
    </message>
    <message>
        <source>sepa.beneficiary</source>
        <translation>Beneficiary</translation>
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
        <translation>Amount</translation>
    </message>
    <message>
        <source>sepa.payment_reference</source>
        <translation>Payment reference</translation>
    </message>
    <message>
        <source>sepa.scan_instruction</source>
        <translation>Scan this code with your banking app to pay the invoice.</translation>
    </message>
    <message>
        <source>error.attachment_decode_failed</source>
        <translation>The attachment's content could not be decoded.</translation>
    </message>
    <message>
        <source>error.title</source>
        <translation>Something Went Wrong</translation>
    </message>
    <message>
        <source>error.unsupported_format</source>
        <translation>This file type cannot be shown here. You can still save it.</translation>
    </message>
    <message>
        <source>status.loading</source>
        <translation>Loading…</translation>
    </message>
    <message>
        <source>file.save_panel.title</source>
        <translation>Save Attachment</translation>
    </message>
    <message>
        <source>file.save_panel.message</source>
        <translation>Choose where to save the attachment.</translation>
    </message>
    <message>
        <source>Invalid UBL Document</source>
        <translation>Invalid UBL Document</translation>
    </message>
    <message>
        <source>•</source>
        <translation>•</translation>
    </message>
    <message>
        <source>Preview Not Available</source>
        <translation>Preview Not Available</translation>
    </message>
    <message>
        <source>Unable to Display Image</source>
        <translation>Unable to Display Image</translation>
    </message>
    <message>
        <source>❌ No XML content available</source>
        <translation>❌ No XML content available</translation>
    </message>
    <message>
        <source>Check if the file loaded correctly</source>
        <translation>Check if the file loaded correctly</translation>
    </message>
    <message>
        <source>Loading text content...</source>
        <translation>Loading text content...</translation>
    </message>
    <message>
        <source>Loading more content...</source>
        <translation>Loading more content...</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>&amp;Open…</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>Open &amp;Recent</translation>
    </message>
    <message>
        <source>Clear Menu</source>
        <translation>Clear Menu</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation>Save &amp;As…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Toggle Sidebar</source>
        <translation>Toggle Sidebar</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>A viewer for UBL invoices and credit notes, built with Qt, libxml2, ICU and libqrencode; icons from KDE Breeze.</source>
        <translation>A viewer for UBL invoices and credit notes, built with Qt, libxml2, ICU and libqrencode; icons from KDE Breeze.</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be opened because there is no such file.</source>
        <translation>The file “%1” couldn’t be opened because there is no such file.</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be opened because it isn’t a file.</source>
        <translation>The file “%1” couldn’t be opened because it isn’t a file.</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be opened because it couldn’t be read.</source>
        <translation>The file “%1” couldn’t be opened because it couldn’t be read.</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be opened because it isn’t in the correct format.</source>
        <translation>The file “%1” couldn’t be opened because it isn’t in the correct format.</translation>
    </message>
    <message>
        <source>The document “%1” couldn’t be saved.</source>
        <translation>The document “%1” couldn’t be saved.</translation>
    </message>
    <message>
        <source>UBL and XML documents (*.xml *.ubl)</source>
        <translation>UBL and XML documents (*.xml *.ubl)</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>commandline.description</source>
        <translation>Views UBL electronic invoices and credit notes.</translation>
    </message>
    <message>
        <source>commandline.files</source>
        <translation>files</translation>
    </message>
    <message>
        <source>commandline.files_description</source>
        <translation>Invoices or credit notes to open, one window each.</translation>
    </message>
    <message>
        <source>commandline.files_syntax</source>
        <translation>[file…]</translation>
    </message>
    <message>
        <source>sepa.reason.credit_note</source>
        <translation>This is a credit note: the supplier owes you the amount, so there is nothing to transfer.</translation>
    </message>
    <message>
        <source>sepa.reason.not_in_euro</source>
        <translation>The amounts are not in euro; a SEPA code transfers euro only.</translation>
    </message>
    <message>
        <source>sepa.reason.no_payment_means</source>
        <translation>The document names no means of payment.</translation>
    </message>
    <message>
        <source>sepa.reason.no_payment_account</source>
        <translation>The first means of payment names no account (IBAN).</translation>
    </message>
    <message>
        <source>sepa.reason.no_supplier_name</source>
        <translation>The supplier has no name to pay to.</translation>
    </message>
    <message>
        <source>sepa.reason.no_payable_amount</source>
        <translation>The document states no amount to pay.</translation>
    </message>
    <message>
        <source>sepa.reason.amount_out_of_range</source>
        <translation>The amount to pay is not between 0.01 and 999,999,999.99 euro.</translation>
    </message>
    <message>
        <source>file.save_panel.csv</source>
        <translation>Comma-separated text</translation>
    </message>
    <message>
        <source>file.save_error.title</source>
        <translation>Could Not Save Attachment</translation>
    </message>
    <message>
        <source>file.save_error.no_data</source>
        <translation>“%1” holds no content that can be decoded, so there is nothing to save.</translation>
    </message>
    <message>
        <source>file.save_error.write</source>
        <translation>“%1” could not be saved: %2</translation>
    </message>
    <message>
        <source>preview.zoom_in</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>preview.zoom_out</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>preview.fit_width</source>
        <translation>Fit Width</translation>
    </message>
    <message numerus="yes">
        <source>preview.page_count</source>
        <translation>
            <numerusform>%n page</numerusform>
            <numerusform>%n pages</numerusform>
        </translation>
    </message>
    <message>
        <source>preview.pdf_unreadable</source>
        <translation>Unable to Display PDF</translation>
    </message>
    <message>
        <source>preview.pdf_unreadable_message</source>
        <translation>The document is damaged, locked or not a PDF. You can still save it with Download.</translation>
    </message>
    <message>
        <source>preview.open_with_default</source>
        <translation>Open with Default Application</translation>
    </message>
    <message>
        <source>preview.open_failed</source>
        <translation>Could Not Open Attachment</translation>
    </message>
    <message>
        <source>preview.open_failed_message</source>
        <translation>No application could be started to show “%1”.</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Raw</source>
        <translation>Raw</translation>
    </message>
    <message>
        <source>Tree</source>
        <translation>Tree</translation>
    </message>
    <message>
        <source>Find…</source>
        <translation>Find…</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>Previous Match</source>
        <translation>Previous Match</translation>
    </message>
    <message>
        <source>Next Match</source>
        <translation>Next Match</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>No matches</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 of %2</translation>
    </message>
    <message>
        <source>XML Source</source>
        <translation>XML Source</translation>
    </message>
    <message>
        <source>XML Tree View</source>
        <translation>XML Tree View</translation>
    </message>
    <message>
        <source>Parsing XML...</source>
        <translation>Parsing XML...</translation>
    </message>
    <message>
        <source>XML Parsing Error</source>
        <translation>XML Parsing Error</translation>
    </message>
    <message>
        <source>%1 nodes</source>
        <translation>%1 nodes</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be opened because it is too large.</source>
        <translation>The file “%1” couldn’t be opened because it is too large.</translation>
    </message>
    <message>
        <source>This file is damaged. Only the part that could be read is shown.</source>
        <translation>This file is damaged. Only the part that could be read is shown.</translation>
    </message>
    <message>
        <source>First error: %1</source>
        <translation>First error: %1</translation>
    </message>
</context>
</TS>
